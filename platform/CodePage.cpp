#include "platform/CodePage.h"

#include "platform/MbChar.h"

#include <bit>
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <stdexcept>

namespace cp932 {
namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One converter per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts in to out; on failure returns false with the byte offset of the
    // input that could not be converted.
    bool Run(std::string_view in, std::string& out, size_t& failedAt) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.clear();
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        std::string buffer(in.size() * 2 + 16, '\0');
        while (srcLeft > 0) {
            char* dst = buffer.data();
            size_t dstLeft = buffer.size();
            const size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer.data(), buffer.size() - dstLeft);
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                failedAt = in.size() - srcLeft;
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_cd;
};

Converter& Utf8ToSjis() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}
Converter& SjisToUtf8() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}
Converter& Utf16ToUtf8() {
    thread_local Converter c("UTF-8", kUtf16);
    return c;
}
Converter& Utf8ToUtf16() {
    thread_local Converter c(kUtf16, "UTF-8");
    return c;
}

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Length of the UTF-8 sequence starting with lead byte c (1 for a stray byte).
size_t Utf8Len(unsigned char c) {
    return c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
}

char32_t DecodeUtf8(std::string_view s, size_t at, size_t len) {
    const auto* u = reinterpret_cast<const unsigned char*>(s.data() + at);
    if (len == 1)
        return u[0];
    char32_t c = u[0] & (0x7F >> len);
    for (size_t i = 1; i < len && at + i < s.size(); ++i)
        c = (c << 6) | (u[i] & 0x3F);
    return c;
}

size_t CountUtf8Chars(std::string_view s, size_t end) {
    size_t n = 0;
    for (size_t i = 0; i < end; i += Utf8Len(static_cast<unsigned char>(s[i])))
        ++n;
    return n;
}

void FillUtf8Error(std::string_view utf8, size_t at, Error* error) {
    if (!error)
        return;
    const size_t len = std::min(Utf8Len(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
    error->index = CountUtf8Chars(utf8, at);
    error->character = DecodeUtf8(utf8, at, len);
    error->characterUtf8 = std::string(utf8.substr(at, len));
}

void FillSjisError(std::string_view sjis, size_t at, Error* error) {
    if (!error)
        return;
    size_t index = 0;
    for (size_t i = 0; i < at; i += mb::IsLeadByte(static_cast<unsigned char>(sjis[i])) ? 2 : 1)
        ++index;
    const auto* u = reinterpret_cast<const unsigned char*>(sjis.data() + at);
    const bool pair = mb::IsLeadByte(u[0]) && at + 1 < sjis.size();
    error->index = index;
    error->character = pair ? (char32_t(u[0]) << 8 | u[1]) : u[0];
    char buf[16];
    if (pair)
        std::snprintf(buf, sizeof buf, "\\x%02X\\x%02X", u[0], u[1]);
    else
        std::snprintf(buf, sizeof buf, "\\x%02X", u[0]);
    error->characterUtf8 = buf;
}

} // namespace

bool FromUtf8(std::string_view utf8, CString& out, Error* error) {
    if (IsAscii(utf8) && utf8.find('\0') == std::string_view::npos) {
        out = CString(utf8);
        return true;
    }
    // A zero byte would cut the text short; refuse it like an unmappable character.
    if (const size_t zero = utf8.find('\0'); zero != std::string_view::npos) {
        FillUtf8Error(utf8, zero, error);
        return false;
    }
    std::string bytes;
    size_t failedAt = 0;
    if (!Utf8ToSjis().Run(utf8, bytes, failedAt)) {
        FillUtf8Error(utf8, failedAt, error);
        return false;
    }
    out = CString(std::string_view(bytes));
    return true;
}

bool FromUtf16(std::u16string_view utf16, CString& out, Error* error) {
    std::string utf8;
    size_t failedAt = 0;
    const std::string_view raw(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2);
    if (!Utf16ToUtf8().Run(raw, utf8, failedAt)) {
        if (error) {
            // An unpaired surrogate: name it by its position in UTF-16 units.
            error->index = failedAt / 2;
            error->character = utf16[failedAt / 2];
            error->characterUtf8 = "\xEF\xBF\xBD";
        }
        return false;
    }
    return FromUtf8(utf8, out, error);
}

bool ToUtf8(std::string_view sjis, std::string& out, Error* error) {
    if (IsAscii(sjis)) {
        out.assign(sjis);
        return true;
    }
    size_t failedAt = 0;
    if (!SjisToUtf8().Run(sjis, out, failedAt)) {
        FillSjisError(sjis, failedAt, error);
        return false;
    }
    return true;
}

std::string ToUtf8Lossy(std::string_view sjis) {
    std::string out;
    if (ToUtf8(sjis, out))
        return out;
    // Convert piece by piece, putting U+FFFD for every undecodable byte or pair.
    out.clear();
    size_t at = 0;
    while (at < sjis.size()) {
        std::string piece;
        size_t failedAt = 0;
        const std::string_view rest = sjis.substr(at);
        if (SjisToUtf8().Run(rest, piece, failedAt)) {
            out += piece;
            break;
        }
        std::string good;
        SjisToUtf8().Run(rest.substr(0, failedAt), good, failedAt);
        out += good;
        out += "\xEF\xBF\xBD";
        const bool pair = mb::IsLeadByte(static_cast<unsigned char>(rest[failedAt])) &&
                          failedAt + 1 < rest.size() &&
                          static_cast<unsigned char>(rest[failedAt + 1]) >= 0x40;
        at += failedAt + (pair ? 2 : 1);
    }
    return out;
}

bool ToUtf16(std::string_view sjis, std::u16string& out, Error* error) {
    std::string utf8;
    if (!ToUtf8(sjis, utf8, error))
        return false;
    std::string raw;
    size_t failedAt = 0;
    Utf8ToUtf16().Run(utf8, raw, failedAt);
    out.assign(reinterpret_cast<const char16_t*>(raw.data()), raw.size() / 2);
    return true;
}

std::u16string ToUtf16Lossy(std::string_view sjis) {
    const std::string utf8 = ToUtf8Lossy(sjis);
    std::string raw;
    size_t failedAt = 0;
    Utf8ToUtf16().Run(utf8, raw, failedAt);
    return std::u16string(reinterpret_cast<const char16_t*>(raw.data()), raw.size() / 2);
}

} // namespace cp932
