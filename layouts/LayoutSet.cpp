#include "layouts/LayoutSet.h"

#include "res/AppStrings.h"
#include "zklib/ZkFile.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string NoFolderText(const std::string& folder) {
    return "ﾚｲｱｳﾄを保存するﾌｫﾙﾀﾞ " + folder + " を作成できません。";
}

std::string NoFreeNameText(const std::string& folder) {
    return "ﾌｫﾙﾀﾞ " + folder +
           " には新しいﾚｲｱｳﾄのﾌｧｲﾙ名 (USER000 から USER998) が残っていません。\n"
           "使わないﾚｲｱｳﾄを削除してから保存してください。";
}

bool HasExtensionNoCase(const fs::path& file, const char* extension) {
    const std::string ext = file.extension().string();
    return ext.size() > 1 && CString(ext.c_str() + 1).CompareNoCase(extension) == 0;
}

bool EntryBefore(const CLayoutSet::Entry& a, const CLayoutSet::Entry& b) {
    const int byName = a.name.CompareNoCase(b.name);
    return byName != 0 ? byName < 0 : a.path.Compare(b.path) < 0;
}

} // namespace

std::vector<CFileError> CLayoutSet::Build(const CLayout& kind,
                                          const std::function<bool(const char* path)>& accept) {
    m_entries.clear();
    std::vector<CFileError> errors;
    const CString folder = kind.GetFolderPath();
    if (folder.IsEmpty())
        return errors;
    std::error_code ec;
    std::vector<CString> paths;
    for (fs::directory_iterator it(fs::path(folder.str()), ec), end; !ec && it != end;
         it.increment(ec)) {
        if (it->is_regular_file(ec) && HasExtensionNoCase(it->path(), kind.GetExtension()))
            paths.emplace_back(it->path().string().c_str());
    }
    for (const CString& path : paths) {
        if (accept && !accept(path))
            continue;
        CString name;
        if (auto error = kind.ReadName(path, name))
            errors.push_back(std::move(*error));
        m_entries.push_back({name, path});
    }
    std::stable_sort(m_entries.begin(), m_entries.end(), EntryBefore);
    return errors;
}

int CLayoutSet::FindNoCase(const char* name) const {
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].name.CompareNoCase(name) == 0)
            return static_cast<int>(i);
    return -1;
}

BOOL CLayoutSet::IsDuplicate(const char* name, int except) const {
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (static_cast<int>(i) != except && MbsCompare(m_entries[i].name, name) == 0)
            return TRUE;
    return FALSE;
}

int CLayoutSet::Insert(Entry entry) {
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), entry, EntryBefore);
    // The position is taken before the insert, which may move the entries.
    const auto index = at - m_entries.begin();
    m_entries.insert(at, std::move(entry));
    return static_cast<int>(index);
}

std::optional<CFileError> CLayoutSet::Add(const CLayout& layout, int* index) {
    // A name another program takes while the layout is written is left to it:
    // the next free one is tried.
    CString path;
    for (BOOL taken = TRUE; taken;) {
        path = layout.MakeNewFilePath();
        if (path.IsEmpty()) {
            const CString folder = layout.GetFolderPath();
            return CFileError::FromText(ZkFile_IsValidPath(folder) ? NoFreeNameText : NoFolderText,
                                        folder.str(), MB_ICONSTOP);
        }
        if (auto error = layout.SaveNew(path, taken))
            return error;
    }
    const int at = Insert({layout.GetName(), path});
    if (index)
        *index = at;
    return std::nullopt;
}

std::optional<CFileError> CLayoutSet::Update(int index, const CLayout& layout, int* newIndex) {
    Entry entry = GetAt(index);
    if (auto error = layout.Save(entry.path))
        return error;
    m_entries.erase(m_entries.begin() + index);
    entry.name = layout.GetName();
    const int at = Insert(std::move(entry));
    if (newIndex)
        *newIndex = at;
    return std::nullopt;
}

CString CLayoutSet::RemoveQuestion(int index) const {
    CString question;
    question.Format(LoadAppString(155), GetAt(index).name.GetString());
    return question;
}

std::optional<CFileError> CLayoutSet::Remove(int index) {
    const Entry& entry = GetAt(index);
    // A file already removed by someone else is as good as removed.
    if (!ZkFile_Remove(entry.path)) {
        const int err = errno;
        if (ZkFile_DoesExist(entry.path))
            return CFileError::FromCause(CFileException::OsErrorToCause(err), err, entry.path.str(),
                                         MB_ICONSTOP);
    }
    m_entries.erase(m_entries.begin() + index);
    return std::nullopt;
}

CString CLayoutSet::MakeCopyName(const char* name) {
    return CString(name) + LoadAppString(153);
}
