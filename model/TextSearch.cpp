#include "model/TextSearch.h"

#include "platform/MbChar.h"

namespace {

// Length of the character at pos; a lead byte at the very end stands alone.
size_t CharLenAt(std::string_view s, size_t pos) {
    return mb::IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

// Upper-cases the single-byte ASCII letters of text into out; trail bytes stay.
std::string_view FoldCase(std::string_view text, std::string& out) {
    out.assign(text);
    for (size_t pos = 0; pos < out.size();) {
        const auto c = static_cast<unsigned char>(out[pos]);
        if (mb::IsLeadByte(c) && pos + 1 < out.size()) {
            pos += 2;
            continue;
        }
        if (c >= 'a' && c <= 'z')
            out[pos] = static_cast<char>(c - 'a' + 'A');
        ++pos;
    }
    return out;
}

} // namespace

CTextSearch::CTextSearch(const char* text, BOOL bMatchCase)
    : m_needle(text ? text : ""), m_bMatchCase(bMatchCase) {
    if (!m_bMatchCase) {
        std::string folded;
        FoldCase(m_needle, folded);
        m_needle.swap(folded);
    }
}

bool CTextSearch::FoundIn(std::string_view text) const {
    if (text.size() < m_needle.size())
        return false;
    if (m_needle.empty())
        return true;
    thread_local std::string folded;
    const std::string_view hay = m_bMatchCase ? text : FoldCase(text, folded);
    // Find candidates with the library's byte search, then keep the first one
    // that starts a character; the boundary walk never goes back.
    size_t boundary = 0;
    for (size_t hit = hay.find(m_needle); hit != std::string_view::npos;
         hit = hay.find(m_needle, hit + 1)) {
        while (boundary < hit)
            boundary += CharLenAt(hay, boundary);
        if (boundary == hit)
            return true;
    }
    return false;
}
