#pragma once
// Numbers in files, settings and command lines are written with a decimal
// point whatever the user's locale. Qt takes the C library's locale from the
// environment, under which atof("215.9") would stop at the point and "%f"
// write a comma; these functions and CString::Format work in the C locale.

#include <optional>
#include <string>
#include <string_view>

namespace cnum {

// The finite number text holds, blanks around it allowed; nothing when it
// holds anything else.
std::optional<double> ParseDouble(std::string_view text);
// The number text begins with, 0 when none (atof in the C locale).
double Atof(const char* text);

// While it lives, the calling thread parses and formats numbers in the C locale.
class CLocaleScope {
public:
    CLocaleScope();
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
#ifdef _WIN32
    int m_nOldMode = 0;
    std::string m_strOld;
#else
    void* m_pOld = nullptr;
#endif
};

} // namespace cnum
