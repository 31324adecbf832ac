#include "model/ContactMethodTable.h"

#include "model/RecordIo.h"
#include "res/AppStrings.h"
#include "zklib/ZkString.h"

#include <algorithm>

namespace {

// Id and two strings of a zero count.
constexpr ULONGLONG kMinEntryBytes = 4 + 4 + 4;

} // namespace

void CContactMethodTable::SetDefaults() {
    // String ids of the Japanese and English names of methods 1 to 7.
    static const UINT kNames[][2] = {
        {132, 138}, {133, 139}, {134, 140}, {135, 141}, {136, 142}, {137, 143}, {273, 274},
    };
    Add("", "");
    for (const auto& names : kNames)
        Add(LoadAppString(names[0]), LoadAppString(names[1]));
}

int CContactMethodTable::Add(const char* japanese, const char* english) {
    const int id = NextFreeId();
    m_entries.push_back({id, CZkString(japanese), CZkString(english)});
    return id;
}

int CContactMethodTable::Modify(int id, const char* japanese, const char* english) {
    const int index = IndexOf(id);
    if (index < 0)
        return -1;
    m_entries[static_cast<size_t>(index)].strJapanese = japanese;
    m_entries[static_cast<size_t>(index)].strEnglish = english;
    return 0;
}

int CContactMethodTable::Remove(int id) {
    const int index = IndexOf(id);
    if (index < 0)
        return -1;
    m_entries.erase(m_entries.begin() + index);
    return 0;
}

int CContactMethodTable::Get(int id, CString& japanese, CString& english) const {
    const int index = IndexOf(id);
    if (index < 0) {
        japanese.Empty();
        english.Empty();
        return -1;
    }
    japanese = m_entries[static_cast<size_t>(index)].strJapanese;
    english = m_entries[static_cast<size_t>(index)].strEnglish;
    return 0;
}

int CContactMethodTable::FindByJapanese(const char* name) const {
    const CString wanted(name);
    for (const auto& entry : m_entries)
        if (entry.strJapanese == wanted)
            return entry.nId;
    return -1;
}

int CContactMethodTable::FindByEnglish(const char* name) const {
    const CString wanted(name);
    for (const auto& entry : m_entries)
        if (entry.strEnglish == wanted)
            return entry.nId;
    return -1;
}

int CContactMethodTable::IndexOf(int id) const {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [id](const ContactMethod& m) { return m.nId == id; });
    return it == m_entries.end() ? -1 : static_cast<int>(it - m_entries.begin());
}

int CContactMethodTable::GetIdAt(int index) const {
    if (static_cast<unsigned>(index) >= m_entries.size())
        return -1;
    return m_entries[static_cast<size_t>(index)].nId;
}

int CContactMethodTable::NextFreeId() const {
    int id = 0;
    while (IndexOf(id) >= 0)
        ++id;
    return id;
}

std::optional<CFileError> CContactMethodTable::Read(CFile* file) {
    return recordio::Run([&]() -> std::optional<CFileError> {
        if (auto newer = recordio::ReadVersion(file))
            return newer;
        const LONG count = recordio::ReadLong(file);
        recordio::CheckCount(file, count, kMinEntryBytes);
        for (LONG i = 0; i < count; ++i) {
            ContactMethod entry;
            entry.nId = recordio::ReadLong(file);
            CZkString::ReadStored(file, entry.strJapanese);
            CZkString::ReadStored(file, entry.strEnglish);
            Append(std::move(entry));
        }
        return std::nullopt;
    });
}

std::optional<CFileError> CContactMethodTable::Write(CFile* file) const {
    return recordio::Run([&]() -> std::optional<CFileError> {
        recordio::WriteLong(file, recordio::kVersion);
        recordio::WriteLong(file, GetCount());
        for (const auto& entry : m_entries) {
            recordio::WriteLong(file, entry.nId);
            CZkString::WriteStored(file, entry.strJapanese);
            CZkString::WriteStored(file, entry.strEnglish);
        }
        return std::nullopt;
    });
}
