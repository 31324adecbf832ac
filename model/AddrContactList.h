#pragma once
// The contact entries of a card: a contact method id and a text each, in the
// order the card shows them.

#include "platform/FileError.h"
#include "zklib/ZkString.h"

#include <optional>
#include <vector>

struct AddrContact {
    int nMethodId = 0; // id in the book's contact-method table; -1 when it matched none
    CZkString strText;
};

class CAddrContactList : public CObject {
public:
    // Returns the index of the new entry.
    int Add(int nMethodId, const char* text);
    // Room for count entries, for a reader that knows how many it will add.
    void Reserve(int count) { m_entries.reserve(count > 0 ? static_cast<size_t>(count) : 0); }
    void RemoveAll() { m_entries.clear(); }
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    // 0, or -1 with the outputs unchanged when index is out of range.
    int GetAt(int index, int& nMethodId, CString& text) const;
    // Gives the entry another method (cards pasted from another book); an
    // index out of range is ignored.
    void SetMethodAt(int index, int nMethodId);

    const std::vector<AddrContact>& Entries() const { return m_entries; }

    // Append the entries read, up to an error or a newer version.
    virtual std::optional<CFileError> Read(CFile* file);
    virtual std::optional<CFileError> Write(CFile* file) const;

private:
    std::vector<AddrContact> m_entries;
};
