#include "model/AddrContactList.h"

#include "model/RecordIo.h"
#include "zklib/ZkString.h"

namespace {

// Method id and the shortest stored string (a zero count).
constexpr ULONGLONG kMinEntryBytes = 4 + 4;

} // namespace

int CAddrContactList::Add(int nMethodId, const char* text) {
    m_entries.push_back({nMethodId, CZkString(text)});
    return GetCount() - 1;
}

int CAddrContactList::GetAt(int index, int& nMethodId, CString& text) const {
    if (index < 0 || index >= GetCount())
        return -1;
    nMethodId = m_entries[static_cast<size_t>(index)].nMethodId;
    text = m_entries[static_cast<size_t>(index)].strText;
    return 0;
}

void CAddrContactList::SetMethodAt(int index, int nMethodId) {
    if (index >= 0 && index < GetCount())
        m_entries[static_cast<size_t>(index)].nMethodId = nMethodId;
}

std::optional<CFileError> CAddrContactList::Read(CFile* file) {
    return recordio::Run([&]() -> std::optional<CFileError> {
        if (auto newer = recordio::ReadVersion(file))
            return newer;
        const LONG count = recordio::ReadLong(file);
        recordio::CheckCount(file, count, kMinEntryBytes);
        if (count > 0)
            m_entries.reserve(m_entries.size() + static_cast<size_t>(count));
        for (LONG i = 0; i < count; ++i) {
            AddrContact entry;
            entry.nMethodId = recordio::ReadLong(file);
            CZkString::ReadStored(file, entry.strText);
            m_entries.push_back(std::move(entry));
        }
        return std::nullopt;
    });
}

std::optional<CFileError> CAddrContactList::Write(CFile* file) const {
    return recordio::Run([&]() -> std::optional<CFileError> {
        recordio::WriteLong(file, recordio::kVersion);
        recordio::WriteLong(file, GetCount());
        for (const auto& entry : m_entries) {
            recordio::WriteLong(file, entry.nMethodId);
            CZkString::WriteStored(file, entry.strText);
        }
        return std::nullopt;
    });
}
