#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A running copy of the probe whose standard output is read line by line.
struct Probe {
    explicit Probe(const std::string& arg = {}) {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        pid = ::fork();
        if (pid == 0) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::execl(SINGLE_INSTANCE_PROBE, SINGLE_INSTANCE_PROBE,
                    arg.empty() ? nullptr : arg.c_str(), nullptr);
            ::_exit(127);
        }
        ::close(fds[1]);
        out = ::fdopen(fds[0], "r");
    }
    ~Probe() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            Wait();
        }
        if (out)
            std::fclose(out);
    }
    std::string Line() {
        char buf[512];
        return std::fgets(buf, sizeof buf, out) ? std::string(buf) : std::string("(eof)");
    }
    int Wait() {
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    pid_t pid = -1;
    FILE* out = nullptr;
};

} // namespace

TEST(ZkSingleInstance, SecondCopyHandsItsFileToTheFirstAndEnds) {
    const fs::path runtime =
        fs::temp_directory_path() / ("kolvane-si-" + std::to_string(::getpid()));
    fs::remove_all(runtime);
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

    Probe first;
    ASSERT_EQ(first.Line(), "first Probe Class\n");
    {
        Probe second("/tmp/Café 住所録/book.kvd");
        EXPECT_EQ(second.Line(), "second\n");
        EXPECT_EQ(second.Wait(), 3);
    }
    EXPECT_EQ(first.Line(), "got /tmp/Café 住所録/book.kvd\n");
    // The guard's folder is the user's alone.
    EXPECT_EQ(fs::status(runtime / "kolvane").permissions() & fs::perms::all, fs::perms::owner_all);

    // A copy that crashed leaves no lock behind.
    ::kill(first.pid, SIGKILL);
    first.Wait();
    Probe again;
    EXPECT_EQ(again.Line(), "first Probe Class\n");
    {
        Probe quit("quit");
        EXPECT_EQ(quit.Wait(), 3);
    }
    EXPECT_EQ(again.Line(), "got quit\n");
    EXPECT_EQ(again.Wait(), 0);
    fs::remove_all(runtime);
}
