#pragma once
// Keeps a second copy of the program from running. The first copy holds a lock
// in the user's private runtime folder and listens on a local socket there; a
// second copy hands its message (its command-line file) to the first and ends.
// The lock dies with the process, so a crashed copy never blocks a new start.

#include "platform/CString.h"

class ZKLIB_API CZkSingleInstance {
public:
    CZkSingleInstance() = default;
    ~CZkSingleInstance();
    CZkSingleInstance(const CZkSingleInstance&) = delete;
    CZkSingleInstance& operator=(const CZkSingleInstance&) = delete;

    // TRUE when this is the first running copy. Otherwise hands message (may be
    // null) to the first copy and returns FALSE. The class name is the part of
    // the program's string id before its first line feed, followed by " Class".
    BOOL Create(UINT id, const char* message = nullptr);
    CString GetClassName() const { return m_strClassName; }

    // The first copy's listening socket, to watch for reading; -1 otherwise.
    int GetListenSocket() const { return m_listenFd; }
    // Takes the message of one waiting second copy; FALSE when none is waiting.
    BOOL ReceiveMessage(CString& message);

private:
    void Release();

    int m_lockFd = -1;
    int m_listenFd = -1;
    std::string m_socketPath;
    CString m_strClassName;
};
