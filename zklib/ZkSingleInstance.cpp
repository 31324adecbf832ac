#include "zklib/ZkSingleInstance.h"

#include "platform/CodePage.h"
#include "platform/StringTable.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr size_t kMaxMessage = 64 * 1024;

// The user's private runtime folder, made when missing and refused when another
// user could reach it.
std::string RuntimeDir() {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    std::string dir =
        xdg && *xdg ? std::string(xdg) + "/kolvane" : "/tmp/kolvane-" + std::to_string(::getuid());
    ::mkdir(dir.c_str(), 0700);
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return dir;
}

// A file name for the class name: its UTF-8 form with separators replaced.
std::string SafeName(const CString& className) {
    std::string name = cp932::ToUtf8Lossy(className.view());
    for (char& c : name)
        if (c == '/' || c == '\0')
            c = '_';
    return name;
}

bool FillAddress(sockaddr_un& addr, const std::string& path) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path)
        return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void SendMessage(const std::string& socketPath, const char* message) {
    sockaddr_un addr{};
    if (!FillAddress(addr, socketPath))
        return;
    // The first copy may hold the lock but not be listening yet.
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            const size_t len = message ? std::min(std::strlen(message), kMaxMessage) : 0;
            size_t sent = 0;
            while (sent < len) {
                const ssize_t n = ::send(fd, message + sent, len - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += static_cast<size_t>(n);
            }
            ::close(fd);
            return;
        }
        ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace

CZkSingleInstance::~CZkSingleInstance() {
    Release();
}

void CZkSingleInstance::Release() {
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
        ::unlink(m_socketPath.c_str());
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    m_listenFd = m_lockFd = -1;
}

BOOL CZkSingleInstance::Create(UINT id, const char* message) {
    Release();
    CString base = AfxLoadString(id);
    const int lineFeed = base.Find('\n');
    if (lineFeed >= 0)
        base = base.Left(lineFeed);
    m_strClassName = base + " Class";

    const std::string dir = RuntimeDir();
    if (dir.empty())
        return TRUE; // no private folder: run unguarded rather than not at all
    const std::string stem = dir + "/" + SafeName(m_strClassName);
    m_socketPath = stem + ".sock";

    m_lockFd = ::open((stem + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd < 0)
        return TRUE;
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
        SendMessage(m_socketPath, message);
        return FALSE;
    }

    // A socket left by a crashed copy is replaced.
    ::unlink(m_socketPath.c_str());
    sockaddr_un addr{};
    m_listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listenFd < 0 || !FillAddress(addr, m_socketPath) ||
        ::bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_listenFd, 8) != 0) {
        if (m_listenFd >= 0)
            ::close(m_listenFd);
        m_listenFd = -1;
    }
    return TRUE;
}

BOOL CZkSingleInstance::ReceiveMessage(CString& message) {
    if (m_listenFd < 0)
        return FALSE;
    const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return FALSE;
    timeval timeout{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string bytes;
    char buf[4096];
    while (bytes.size() < kMaxMessage) {
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    if (bytes.size() > kMaxMessage)
        bytes.resize(kMaxMessage);
    message = CString(std::string_view(bytes));
    return TRUE;
}
