#pragma once
// Substring search over Shift_JIS text with the results of the platform
// string's Find (case-sensitive) and CZkString::FindNoCase (ASCII letters
// folded): a match begins only at a character boundary, so a trail byte is
// never taken for a single-byte character. The needle is prepared once, so one
// search can test many texts without copying them.

#include "platform/CString.h"

#include <string>
#include <string_view>

class CTextSearch {
public:
    CTextSearch(const char* text, BOOL bMatchCase);

    bool FoundIn(std::string_view text) const;
    bool FoundIn(const CString& text) const { return FoundIn(text.view()); }

    const std::string& Needle() const { return m_needle; }
    BOOL MatchesCase() const { return m_bMatchCase; }

private:
    std::string m_needle; // upper-cased like the haystack when case is ignored
    BOOL m_bMatchCase;
};
