#pragma once
// The layouts of one kind as a dialog lists them: entries of a name and the path
// of the file that holds it, sorted by name as the dialogs' sorted lists show
// them (upper and lower case alike). Adding, editing and removing change the
// list only after the file operation succeeded, so the list always tells what
// the folder holds. File errors come back to the caller, who shows them.

#include "layouts/Layout.h"

#include <functional>
#include <vector>

class CLayoutSet {
public:
    struct Entry {
        CString name;
        CString path;
    };

    // Lists every file of the kind's extension, in any case, in the kind's
    // folder by the name stored in it; an unreadable file is listed as "" and
    // its error returned, in the order of the files found. accept, when given,
    // picks the files to list. Without a folder the list is empty and nothing
    // is made.
    std::vector<CFileError> Build(const CLayout& kind,
                                  const std::function<bool(const char* path)>& accept = {});

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    const Entry& GetAt(int index) const { return m_entries.at(static_cast<size_t>(index)); }
    const std::vector<Entry>& Entries() const { return m_entries; }

    // The first entry whose name equals name but for the case of Latin letters
    // (the lists' exact-text search); -1 when there is none.
    int FindNoCase(const char* name) const;
    // A name is a duplicate when an entry other than except has exactly the
    // same bytes (case matters).
    BOOL IsDuplicate(const char* name, int except = -1) const;

    // Saves the layout to a new file of its kind and lists it at *index; an
    // error also when the folder cannot be made or no file name is left.
    std::optional<CFileError> Add(const CLayout& layout, int* index = nullptr);
    // Saves the layout over the entry's file and lists it under the layout's
    // name, at *newIndex.
    std::optional<CFileError> Update(int index, const CLayout& layout, int* newIndex = nullptr);
    // The question (string 155) to ask before the entry is removed.
    CString RemoveQuestion(int index) const;
    // Removes the file and the entry.
    std::optional<CFileError> Remove(int index);

    // The name proposed for a copy: the name followed by string 153.
    static CString MakeCopyName(const char* name);

private:
    int Insert(Entry entry);

    std::vector<Entry> m_entries;
};
