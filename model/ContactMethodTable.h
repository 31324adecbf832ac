#pragma once
// The book's contact methods (telephone, fax, e-mail ...) with a Japanese and
// an English name each. Cards refer to a method by its id only.

#include "platform/FileError.h"
#include "zklib/ZkString.h"

#include <optional>
#include <vector>

struct ContactMethod {
    int nId = 0;
    CZkString strJapanese;
    CZkString strEnglish;
};

class CContactMethodTable : public CObject {
public:
    // Appends the eight default methods, ids 0 (the blank method) to 7.
    void SetDefaults();
    // Appends an entry under NextFreeId() and returns that id.
    int Add(const char* japanese, const char* english);
    // Appends the entry with its id as given, unchecked, as a stored table is read.
    void Append(ContactMethod entry) { m_entries.push_back(std::move(entry)); }
    // 0, or -1 when no entry has the id.
    int Modify(int id, const char* japanese, const char* english);
    int Remove(int id);
    void RemoveAll() { m_entries.clear(); }
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    // 0 with the names, or -1 with both names emptied.
    int Get(int id, CString& japanese, CString& english) const;
    // Id of the first entry whose name equals name byte for byte, or -1.
    int FindByJapanese(const char* name) const;
    int FindByEnglish(const char* name) const;
    int IndexOf(int id) const;
    int GetIdAt(int index) const;
    // The smallest id >= 0 that no entry has.
    int NextFreeId() const;

    const std::vector<ContactMethod>& Entries() const { return m_entries; }

    // Append the entries read, ids as stored, up to an error or a newer version.
    virtual std::optional<CFileError> Read(CFile* file);
    virtual std::optional<CFileError> Write(CFile* file) const;

private:
    std::vector<ContactMethod> m_entries;
};
