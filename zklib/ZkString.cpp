#include "zklib/ZkString.h"

#include "platform/CodePage.h"

#include <cstring>
#include <cwchar>

CZkString::CZkString(const wchar_t* text) {
    if (!text)
        return;
    // wchar_t is UTF-32 here (UTF-16 on Windows); go through UTF-16.
    std::u16string utf16;
    for (const wchar_t* p = text; *p; ++p) {
        char32_t c = static_cast<char32_t>(*p);
        if (sizeof(wchar_t) == 4 && c > 0xFFFF) {
            c -= 0x10000;
            utf16 += static_cast<char16_t>(0xD800 + (c >> 10));
            utf16 += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            utf16 += static_cast<char16_t>(c);
        }
    }
    CString out;
    if (!cp932::FromUtf16(utf16, out)) {
        // Convert character by character, marking each one the code page cannot hold.
        out.Empty();
        for (size_t at = 0; at < utf16.size();) {
            const size_t len = (utf16[at] >= 0xD800 && utf16[at] < 0xDC00) ? 2 : 1;
            CString one;
            out += cp932::FromUtf16(std::u16string_view(utf16).substr(at, len), one)
                       ? one
                       : CString("\x81\x45");
            at += len;
        }
    }
    CString::operator=(out);
}

void CZkString::ReadStored(CFile* file, CString& text) {
    const DWORD n = file->ReadDword();
    // Never reserve more than the file still holds.
    if (n > file->GetRemaining())
        CFileException::Throw(CFileException::endOfFile, file->GetFilePath());
    CString value;
    if (n) {
        file->ReadExact(value.GetBuffer(static_cast<int>(n)), n);
        value.ReleaseBuffer();
    }
    text = std::move(value);
}

void CZkString::WriteStored(CFile* file, const CString& text) {
    const DWORD n = static_cast<DWORD>(text.GetLength()) + 1;
    file->WriteDword(n);
    file->Write(text.GetString(), n);
}

BOOL CZkString::Read(CFile* file) {
    try {
        ReadStored(file, *this);
        return TRUE;
    } catch (const CFileException& e) {
        e.ReportError();
        return FALSE;
    }
}

BOOL CZkString::Write(CFile* file) {
    try {
        WriteStored(file, *this);
        return TRUE;
    } catch (const CFileException& e) {
        e.ReportError();
        return FALSE;
    }
}

int CZkString::FindNoCase(char ch, int start) const {
    const char needle[2] = {ch, '\0'};
    return FindNoCase(needle, start);
}

int CZkString::FindNoCase(const char* sub, int start) const {
    if (start > GetLength())
        return -1;
    CString hay(*this);
    CString needle(sub);
    hay.MakeUpper();
    needle.MakeUpper();
    return hay.Find(needle, start);
}

int CZkString::ReverseFindOneOf(const char* set) const {
    CString reversed(*this);
    reversed.MakeReverse();
    const int a = reversed.FindOneOf(set);
    return a < 0 ? -1 : GetLength() - a - 1;
}
