#include "platform/CString.h"

#include "platform/CNumber.h"
#include "platform/MbChar.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

CString::CString(const char* text, int count) {
    if (text && count > 0)
        m_s.assign(text, static_cast<size_t>(count));
    CutAtZero();
}

void CString::CutAtZero() {
    size_t zero = m_s.find('\0');
    if (zero != std::string::npos)
        m_s.resize(zero);
}

int CString::CharLenAt(size_t pos) const {
    return mb::IsLeadByte(static_cast<unsigned char>(m_s[pos])) && pos + 1 < m_s.size() ? 2 : 1;
}

int CString::Find(char ch, int start) const {
    char needle[2] = {ch, '\0'};
    return Find(needle, start);
}

int CString::Find(const char* sub, int start) const {
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const size_t n = std::strlen(sub);
    for (size_t pos = 0; pos + n <= m_s.size(); pos += static_cast<size_t>(CharLenAt(pos))) {
        if (pos >= static_cast<size_t>(start) && m_s.compare(pos, n, sub, n) == 0)
            return static_cast<int>(pos);
        if (pos == m_s.size())
            break;
    }
    return -1;
}

int CString::ReverseFind(char ch) const {
    int found = -1;
    for (size_t pos = 0; pos < m_s.size(); pos += static_cast<size_t>(CharLenAt(pos)))
        if (CharLenAt(pos) == 1 && m_s[pos] == ch)
            found = static_cast<int>(pos);
    return found;
}

int CString::FindOneOf(const char* set) const {
    if (!set)
        return -1;
    for (size_t pos = 0; pos < m_s.size(); pos += static_cast<size_t>(CharLenAt(pos))) {
        const int len = CharLenAt(pos);
        for (const char* s = set; *s; s += mb::CharLen(s)) {
            if (mb::CharLen(s) == len && std::memcmp(s, m_s.data() + pos, len) == 0)
                return static_cast<int>(pos);
        }
    }
    return -1;
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength() - std::max(first, 0));
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(std::string_view(m_s).substr(first, count));
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString& CString::MakeUpper() {
    for (size_t pos = 0; pos < m_s.size(); pos += static_cast<size_t>(CharLenAt(pos)))
        if (m_s[pos] >= 'a' && m_s[pos] <= 'z')
            m_s[pos] = static_cast<char>(m_s[pos] - 'a' + 'A');
    return *this;
}

CString& CString::MakeLower() {
    for (size_t pos = 0; pos < m_s.size(); pos += static_cast<size_t>(CharLenAt(pos)))
        if (m_s[pos] >= 'A' && m_s[pos] <= 'Z')
            m_s[pos] = static_cast<char>(m_s[pos] - 'A' + 'a');
    return *this;
}

CString& CString::MakeReverse() {
    std::string out(m_s.size(), '\0');
    size_t end = m_s.size();
    for (size_t pos = 0; pos < m_s.size();) {
        const int len = CharLenAt(pos);
        end -= static_cast<size_t>(len);
        std::memcpy(&out[end], m_s.data() + pos, static_cast<size_t>(len));
        pos += static_cast<size_t>(len);
    }
    m_s.swap(out);
    return *this;
}

static bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

CString& CString::TrimLeft() {
    size_t n = 0;
    while (n < m_s.size() && IsBlank(m_s[n]))
        ++n;
    m_s.erase(0, n);
    return *this;
}

CString& CString::TrimRight() {
    // Walk forward so that a trail byte is never judged on its own.
    size_t keep = 0;
    for (size_t pos = 0; pos < m_s.size(); pos += static_cast<size_t>(CharLenAt(pos)))
        if (CharLenAt(pos) == 2 || !IsBlank(m_s[pos]))
            keep = pos + static_cast<size_t>(CharLenAt(pos));
    m_s.resize(keep);
    return *this;
}

int CString::Replace(const char* oldText, const char* newText) {
    if (!oldText || !*oldText)
        return 0;
    const CString repl(newText);
    const int oldLen = static_cast<int>(std::strlen(oldText));
    int count = 0;
    std::string out;
    int pos = 0;
    for (int hit = Find(oldText, 0); hit >= 0; hit = Find(oldText, pos)) {
        out.append(m_s, static_cast<size_t>(pos), static_cast<size_t>(hit - pos));
        out += repl.m_s;
        pos = hit + oldLen;
        ++count;
    }
    if (count) {
        out.append(m_s, static_cast<size_t>(pos), std::string::npos);
        m_s.swap(out);
    }
    return count;
}

int CString::Remove(char ch) {
    std::string out;
    int count = 0;
    for (size_t pos = 0; pos < m_s.size(); pos += static_cast<size_t>(CharLenAt(pos))) {
        if (CharLenAt(pos) == 1 && m_s[pos] == ch)
            ++count;
        else
            out.append(m_s, pos, static_cast<size_t>(CharLenAt(pos)));
    }
    m_s.swap(out);
    return count;
}

int CString::Insert(int index, const char* text) {
    index = std::clamp(index, 0, GetLength());
    m_s.insert(static_cast<size_t>(index), CString(text).m_s);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0)
        m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
    // Texts go to files and settings: a decimal point, never the locale's comma.
    const cnum::CLocaleScope cLocale;
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) {
        m_s.clear();
        return;
    }
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(n));
    m_s.swap(out);
    CutAtZero();
}

int MbsCompare(const char* a, const char* b) {
    for (;;) {
        if (!*a || !*b)
            return (*a ? 1 : 0) - (*b ? 1 : 0);
        const int la = mb::CharLen(a);
        const int lb = mb::CharLen(b);
        const unsigned ca = mb::CharCode(a, la);
        const unsigned cb = mb::CharCode(b, lb);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        a += la;
        b += lb;
    }
}

int CString::Compare(const char* other) const {
    return MbsCompare(GetString(), other ? other : "");
}

int CString::CompareNoCase(const char* other) const {
    CString a(*this), b(other);
    return a.MakeLower().Compare(b.MakeLower());
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_s.resize(static_cast<size_t>(minLength));
    return m_s.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_s.c_str()));
    m_s.resize(static_cast<size_t>(std::min(newLength, GetLength())));
    CutAtZero();
}

CString& CString::operator=(const char* text) {
    m_s = text ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& other) {
    m_s += other.m_s;
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text)
        m_s += text;
    return *this;
}

CString& CString::operator+=(char ch) {
    if (ch)
        m_s += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, const char* b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(const char* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, char b) {
    CString r(a);
    r += b;
    return r;
}
