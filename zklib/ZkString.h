#pragma once
// The library's string: the platform string with a length-prefixed stored form,
// case-insensitive search and search for the last character out of a set.

#include "platform/CString.h"
#include "platform/File.h"

class ZKLIB_API CZkString : public CString {
public:
    CZkString() = default;
    CZkString(const CString& s) : CString(s) {}
    CZkString(const CZkString& s) = default;
    CZkString(CZkString&& s) noexcept = default;
    CZkString(char ch, int repeat) : CString(ch, repeat) {}
    CZkString(const char* text, int count) : CString(text, count) {}
    CZkString(const char* text) : CString(text) {}
    CZkString(const unsigned char* text) : CString(text) {}
    // Characters the code page cannot hold become "・" (the constructor cannot fail).
    CZkString(const wchar_t* text);
    CZkString& operator=(const CZkString& s) = default;
    CZkString& operator=(CZkString&& s) noexcept = default;
    CZkString& operator=(const CString& s) {
        CString::operator=(s);
        return *this;
    }
    CZkString& operator=(const char* text) {
        CString::operator=(text);
        return *this;
    }

    // Replaces the value with the next stored string of the file: a 32-bit count n
    // of the bytes that follow, then n bytes ending with a zero. FALSE after a
    // reported file error; a stored string that runs past the end of the file is
    // such an error, and the value is then left untouched.
    virtual BOOL Read(CFile* file);
    virtual BOOL Write(CFile* file);
    // The same stored form for readers and writers that report errors
    // themselves: a failure raises CFileException and shows nothing; text is
    // left untouched when the read fails.
    static void ReadStored(CFile* file, CString& text);
    static void WriteStored(CFile* file, const CString& text);

    int FindNoCase(char ch) const { return FindNoCase(ch, 0); }
    int FindNoCase(char ch, int start) const;
    int FindNoCase(const char* sub) const { return FindNoCase(sub, 0); }
    int FindNoCase(const char* sub, int start) const;
    int ReverseFindOneOf(const char* set) const;
};
