#pragma once
// Byte string of Shift_JIS (code page 932) text, as the design's framework string.
// Lengths and positions count bytes; searching, case conversion, reversal and
// comparison treat a double-byte character as one character.

#include "platform/Export.h"
#include "platform/Types.h"

#include <cstdarg>
#include <string>
#include <string_view>

class ZKLIB_API CString {
public:
    CString() = default;
    CString(const char* text) : m_s(text ? text : "") {}
    CString(const unsigned char* text) : CString(reinterpret_cast<const char*>(text)) {}
    CString(const char* text, int count);
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? repeat : 0, ch) {}
    explicit CString(std::string_view bytes) : m_s(bytes) { CutAtZero(); }

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int index) const { return m_s.at(static_cast<size_t>(index)); }
    void SetAt(int index, char ch) { m_s.at(static_cast<size_t>(index)) = ch; }
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string_view view() const { return m_s; }

    // Searching: -1 when not found or when start lies beyond the text. Matches
    // begin only at character boundaries, so a trail byte is never taken for a
    // single-byte character.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    // First character of the text that is one of the characters of set.
    int FindOneOf(const char* set) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    // Case conversion touches ASCII letters only, never a trail byte.
    CString& MakeUpper();
    CString& MakeLower();
    // Reverses the characters; the two bytes of a double-byte character keep their order.
    CString& MakeReverse();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim() { return TrimLeft().TrimRight(); }
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    // printf formatting in the C locale: "%.1f" writes "1.5" under any locale.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    // Order of character codes (ASCII < half-width katakana < double-byte).
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;

    // Raw buffer access for readers that fill the text in place.
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    CString& operator=(const char* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
    friend bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
    friend bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
    friend bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

private:
    void CutAtZero();
    int CharLenAt(size_t pos) const;

    std::string m_s;
};

ZKLIB_API CString operator+(const CString& a, const CString& b);
ZKLIB_API CString operator+(const CString& a, const char* b);
ZKLIB_API CString operator+(const char* a, const CString& b);
ZKLIB_API CString operator+(const CString& a, char b);

// Multibyte-aware comparison of two zero-terminated texts in character-code order.
ZKLIB_API int MbsCompare(const char* a, const char* b);
