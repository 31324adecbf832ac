#pragma once
// A link to a file, folder or address that the desktop opens with the program
// the user has chosen for it, and that reports a failure in words.

#include "platform/CString.h"

class ZKLIB_API CZkHyperLink {
public:
    // Results of Navigate; any other value of 33 or more means success, as the
    // platform's shell counts.
    enum : int {
        navigateEmpty = 0,
        fileNotFound = 2,
        pathNotFound = 3,
        noAssociation = 31,
        navigateDone = 42,
    };

    CZkHyperLink() = default;
    CZkHyperLink(const char* target) : m_strTarget(target) {}
    virtual ~CZkHyperLink() = default;
    CZkHyperLink(const CZkHyperLink&) = default;
    CZkHyperLink& operator=(const CZkHyperLink&) = default;

    // The target: an address with a scheme ("https://...", "mailto:...") or a
    // path in the system's own encoding.
    operator const char*() const { return m_strTarget; }
    void SetTarget(const char* target) { m_strTarget = target; }

    virtual int Navigate();
    // "ﾌｧｲﾙ '<target>' が開けません:" and the reason for code, with a stop icon.
    static void ReportError(const char* target, int code);
    // The message ReportError shows, UTF-8.
    static std::string ErrorText(const char* target, int code);

private:
    CString m_strTarget;
};
