#include "zklib/ZkRotateBackup.h"

#include "platform/CodePage.h"
#include "platform/FileStep.h"
#include "platform/UserInteraction.h"
#include "zklib/ZkFile.h"
#include "zklib/ZkStrings.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Gives the file at from the second name to, which must be free: a hard link,
// or a copy put in place only once complete where the file system has no links.
BOOL LinkOrCopy(const char* from, const char* to) {
    FileStep();
    if (::link(from, to) == 0)
        return TRUE;
    if (errno == EEXIST || errno == ENOENT)
        return FALSE;
    const int in = ::open(from, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return FALSE;
    struct stat st {};
    std::string temp = std::string(to) + ".tmp-XXXXXX";
    const int out = ::fstat(in, &st) == 0 ? ::mkostemp(temp.data(), O_CLOEXEC) : -1;
    BOOL done = out >= 0;
    for (off_t left = st.st_size; done && left > 0;) {
        const ssize_t n = ::sendfile(out, in, nullptr, static_cast<size_t>(left));
        done = n > 0;
        left -= n;
    }
    done = done && ::fchmod(out, st.st_mode & 07777) == 0 && ::fsync(out) == 0;
    if (out >= 0)
        done = ::close(out) == 0 && done;
    ::close(in);
    done = done && ZkFile_Rename(temp.c_str(), to);
    if (!done && out >= 0)
        ::unlink(temp.c_str());
    return done;
}

} // namespace

CZkRotateBackup::CZkRotateBackup(UINT generations, const char* extension)
    : m_nGenerations(generations), m_strExtension(extension) {
    if (!m_strExtension.IsEmpty() && m_strExtension[0] == '.')
        m_strExtension = m_strExtension.Mid(1);
    if (m_strExtension.IsEmpty())
        m_strExtension = "bak";
}

BOOL CZkRotateBackup::Backup(const char* path) {
    if (!path || !*path)
        return FALSE;
    m_strPath = path;
    return Rotate(0, 1);
}

CString CZkRotateBackup::GetFileName(UINT n) const {
    CString name;
    if (n == 0)
        name = m_strPath;
    else if (n == 1)
        name.Format("%s.%s", m_strPath.GetString(), m_strExtension.GetString());
    else
        name.Format("%s.%s.%u", m_strPath.GetString(), m_strExtension.GetString(), n - 1);
    return name;
}

BOOL CZkRotateBackup::Rotate(UINT from, UINT to) {
    const CString fromName = GetFileName(from);
    const CString toName = GetFileName(to);
    if (!ZkFile_DoesExist(fromName))
        return TRUE;
    // File names are in the system's encoding, the library's texts in Shift_JIS.
    if (ZkFile_DoesExist(toName)) {
        if (to >= m_nGenerations + 1) {
            if (!ZkFile_Remove(toName)) {
                AfxMessageBoxUtf8(ZkLoadStringUtf8(46) + toName.str(), MB_OK | MB_ICONSTOP);
                return FALSE;
            }
        } else if (!Rotate(to, to + 1)) {
            return FALSE;
        }
    }
    // The file itself keeps its name: its newest backup is a second name for it,
    // so that a save cut short at any moment still finds the book where it was.
    if (from == 0 ? LinkOrCopy(fromName, toName) : ZkFile_Rename(fromName, toName))
        return TRUE;
    AfxMessageBoxUtf8(ZkLoadStringUtf8(47) + fromName.str() + " -> " + toName.str(),
                      MB_OK | MB_ICONSTOP);
    return FALSE;
}
