// A program that takes the single-instance guard: the first copy prints "first"
// and then each message it receives; a second copy hands over its argument,
// prints "second" and ends with status 3.
#include "platform/StringTable.h"
#include "zklib/ZkSingleInstance.h"

#include <cstdio>
#include <poll.h>

int main(int argc, char** argv) {
    CStringTable strings;
    strings.Load("128\tProbe\\n\\nProbe\n");
    AfxSetResourceStrings(&strings);
    CZkSingleInstance guard;
    if (!guard.Create(128, argc > 1 ? argv[1] : nullptr)) {
        std::printf("second\n");
        return 3;
    }
    std::printf("first %s\n", guard.GetClassName().GetString());
    std::fflush(stdout);
    pollfd p{guard.GetListenSocket(), POLLIN, 0};
    while (::poll(&p, 1, 20000) > 0) {
        CString message;
        if (guard.ReceiveMessage(message)) {
            std::printf("got %s\n", message.GetString());
            std::fflush(stdout);
            if (message == "quit")
                return 0;
        }
    }
    return 1;
}
