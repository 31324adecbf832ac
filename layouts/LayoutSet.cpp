#include "layouts/LayoutSet.h"

#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "zklib/ZkFile.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// "%1" stands for the folder's path.
constexpr const char* kNoFolder = "ﾚｲｱｳﾄを保存するﾌｫﾙﾀﾞ %1 を作成できません。";
constexpr const char* kNoFreeName =
    "ﾌｫﾙﾀﾞ %1 には新しいﾚｲｱｳﾄのﾌｧｲﾙ名 (USER000 から USER998) が残っていません。\n"
    "使わないﾚｲｱｳﾄを削除してから保存してください。";

void ShowWithPath(const char* text, const CString& path) {
    std::string message = text;
    message.replace(message.find("%1"), 2, path.str());
    AfxMessageBoxUtf8(message, MB_ICONSTOP);
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

void CLayoutSet::Build(const CLayout& kind, const std::function<bool(const char* path)>& accept) {
    m_entries.clear();
    const CString folder = kind.GetFolderPath();
    if (folder.IsEmpty())
        return;
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
        m_entries.push_back({kind.ReadName(path), path});
    }
    std::stable_sort(m_entries.begin(), m_entries.end(), EntryBefore);
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

BOOL CLayoutSet::CheckDuplicate(const char* name, int except) const {
    if (!IsDuplicate(name, except))
        return FALSE;
    CString message;
    message.Format(LoadAppString(154), name);
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    return TRUE;
}

int CLayoutSet::Insert(Entry entry) {
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), entry, EntryBefore);
    return static_cast<int>(m_entries.insert(at, std::move(entry)) - m_entries.begin());
}

int CLayoutSet::Add(const CLayout& layout) {
    const CString path = layout.MakeNewFilePath();
    if (path.IsEmpty()) {
        const CString folder = layout.GetFolderPath();
        ShowWithPath(ZkFile_IsValidPath(folder) ? kNoFreeName : kNoFolder, folder);
        return -1;
    }
    if (!layout.Save(path))
        return -1;
    return Insert({layout.GetName(), path});
}

int CLayoutSet::Update(int index, const CLayout& layout) {
    Entry entry = GetAt(index);
    if (!layout.Save(entry.path))
        return -1;
    m_entries.erase(m_entries.begin() + index);
    entry.name = layout.GetName();
    return Insert(std::move(entry));
}

BOOL CLayoutSet::Remove(int index) {
    const Entry& entry = GetAt(index);
    CString question;
    question.Format(LoadAppString(155), entry.name.GetString());
    if (AfxMessageBox(question, MB_ICONQUESTION | MB_YESNO) != IDYES)
        return FALSE;
    // A file already removed by someone else is as good as removed.
    if (!ZkFile_Remove(entry.path)) {
        const int err = errno;
        if (ZkFile_DoesExist(entry.path)) {
            CFileException(CFileException::OsErrorToCause(err), err, entry.path.str())
                .ReportError(MB_ICONSTOP);
            return FALSE;
        }
    }
    m_entries.erase(m_entries.begin() + index);
    return TRUE;
}

CString CLayoutSet::MakeCopyName(const char* name) {
    return CString(name) + LoadAppString(153);
}
