// The main window's tests hand a file to a running copy; here one that crashed.

#include "zklib/ZkSingleInstance.h"
#include "platform/StringTable.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Takes the guard in a child process, which crashes when it became the first
// copy and ends with status 3 when it handed its message over.
int CreateInChild(const char* message) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        CZkSingleInstance guard;
        if (!guard.Create(128, message))
            ::_exit(3);
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

} // namespace

TEST(ZkSingleInstance, ACrashedCopyLeavesNoLockAndTheNextCopyIsFirst) {
    const fs::path runtime =
        fs::temp_directory_path() / ("kolvane-si-" + std::to_string(::getpid()));
    fs::remove_all(runtime);
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    CStringTable strings;
    strings.Load("128\tProbe\\n\\nProbe\n");
    AfxSetResourceStrings(&strings);

    EXPECT_EQ(CreateInChild(nullptr), -SIGKILL);
    CZkSingleInstance guard;
    ASSERT_TRUE(guard.Create(128, nullptr));
    EXPECT_EQ(CreateInChild("/tmp/Café 住所録/book.kvd"), 3);
    pollfd p{guard.GetListenSocket(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    CString message;
    ASSERT_TRUE(guard.ReceiveMessage(message));
    EXPECT_EQ(message, CString("/tmp/Café 住所録/book.kvd"));
    // The guard's folder is the user's alone.
    EXPECT_EQ(fs::status(runtime / "kolvane").permissions() & fs::perms::all, fs::perms::owner_all);
    AfxSetResourceStrings(nullptr);
    fs::remove_all(runtime);
}
