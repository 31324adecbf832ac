#include "doc/RecentFileList.h"

#include "doc/ProfilePath.h"
#include "platform/SettingsStore.h"

#include <algorithm>

namespace {

std::string EntryKey(int index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

CRecentFileList::CRecentFileList(const char* section, int size)
    : m_pszSection(section), m_nSize(size) {}

void CRecentFileList::ReadList() {
    m_paths.clear();
    for (int i = 0; i < m_nSize; ++i) {
        std::string path = LoadProfilePath(m_pszSection, EntryKey(i).c_str());
        if (!path.empty() && std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end())
            m_paths.push_back(std::move(path));
    }
}

void CRecentFileList::WriteList() const {
    for (int i = 0; i < m_nSize; ++i) {
        const std::string key = EntryKey(i);
        if (i < static_cast<int>(m_paths.size()))
            SaveProfilePath(m_pszSection, key.c_str(), m_paths[static_cast<size_t>(i)]);
        else
            AfxGetProfile().RemoveKey(m_pszSection, key.c_str());
    }
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty())
        return;
    std::erase(m_paths, path);
    m_paths.insert(m_paths.begin(), path);
    if (static_cast<int>(m_paths.size()) > m_nSize)
        m_paths.resize(static_cast<size_t>(m_nSize));
    WriteList();
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= static_cast<int>(m_paths.size()))
        return;
    m_paths.erase(m_paths.begin() + index);
    WriteList();
}
