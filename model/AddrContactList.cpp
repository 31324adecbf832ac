#include "model/AddrContactList.h"

#include "model/RecordIo.h"

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

BOOL CAddrContactList::Read(CFile* file) {
    try {
        if (!recordio::ReadVersion(file))
            return FALSE;
        const LONG count = recordio::ReadLong(file);
        recordio::CheckCount(file, count, kMinEntryBytes);
        for (LONG i = 0; i < count; ++i) {
            AddrContact entry;
            entry.nMethodId = recordio::ReadLong(file);
            if (!entry.strText.Read(file))
                return FALSE;
            m_entries.push_back(std::move(entry));
        }
        return TRUE;
    } catch (const CFileException& e) {
        e.ReportError();
        return FALSE;
    }
}

BOOL CAddrContactList::Write(CFile* file) {
    try {
        recordio::WriteLong(file, recordio::kVersion);
        recordio::WriteLong(file, GetCount());
        for (auto& entry : m_entries) {
            recordio::WriteLong(file, entry.nMethodId);
            if (!entry.strText.Write(file))
                return FALSE;
        }
        return TRUE;
    } catch (const CFileException& e) {
        e.ReportError();
        return FALSE;
    }
}
