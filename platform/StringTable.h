#pragma once
// A table of texts by numeric id, loaded from the tab-separated data in res/strings
// ("id<TAB>text", '#' comments, escapes \n \t \\), held as Shift_JIS.

#include "platform/CString.h"

#include <string>
#include <string_view>
#include <unordered_map>

class CStringTable {
public:
    // FALSE with a description of the first bad line in error.
    BOOL Load(std::string_view utf8Data, std::string* error = nullptr);

    BOOL Has(UINT id) const { return m_texts.count(id) != 0; }
    // The text, or an empty string when the table has no such id.
    CString Get(UINT id) const;
    std::string GetUtf8(UINT id) const;
    size_t GetCount() const { return m_texts.size(); }

private:
    std::unordered_map<UINT, CString> m_texts;
};

// The running program's own string table, for library code that loads the
// program's strings by id (as resources are loaded from the program file).
void AfxSetResourceStrings(const CStringTable* table);
// The text of id from the program's table, or an empty string.
ZKLIB_API CString AfxLoadString(UINT id);
