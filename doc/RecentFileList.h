#pragma once
// The recent-file list of the file menu: newest first, each path once, at most
// the configured number of entries, kept in the settings store.

#include <string>
#include <vector>

class CRecentFileList {
public:
    CRecentFileList(const char* section, int size);

    void ReadList();
    void WriteList() const;
    // Puts path first (native encoding) and writes the list.
    void Add(const std::string& path);
    void Remove(int index);

    int GetSize() const { return m_nSize; }
    const std::vector<std::string>& Paths() const { return m_paths; }

private:
    const char* m_pszSection;
    int m_nSize;
    std::vector<std::string> m_paths;
};
