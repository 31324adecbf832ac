#include "Cp932Cache.h"

#include "platform/CodePage.h"

#include <cstdint>
#include <memory>

namespace cp932cache {
namespace {

// Per character of the Basic Multilingual Plane: 0 when not looked up yet,
// kNone when the code page has no code for it, else the code (one byte below
// 0x100, two bytes above; no code page 932 code has a zero first byte).
constexpr uint16_t kNone = 0xFFFF;

uint16_t Look(std::string_view character) {
    CString sjis;
    if (!cp932::FromUtf8(character, sjis))
        return kNone;
    const std::string_view bytes = sjis.view();
    const auto byte = [&](size_t i) {
        return static_cast<uint16_t>(static_cast<uint8_t>(bytes[i]));
    };
    if (bytes.size() == 1)
        return byte(0);
    if (bytes.size() == 2 && byte(0) != 0)
        return static_cast<uint16_t>(byte(0) << 8 | byte(1));
    return kNone;
}

} // namespace

bool AppendFromUtf8(std::string_view utf8, std::string& out) {
    thread_local std::unique_ptr<uint16_t[]> codes;
    if (!codes)
        codes = std::make_unique<uint16_t[]>(0x10000);
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const size_t size = utf8.size();
    size_t i = 0;
    while (i < size) {
        const uint8_t lead = bytes[i];
        if (lead < 0x80) {
            if (lead == 0)
                return false;
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        // Two or three bytes; four-byte characters lie outside the code page.
        size_t length = 0;
        char32_t character = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            character = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            character = lead & 0x0F;
        } else {
            return false;
        }
        if (size - i < length)
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
            character = character << 6 | (bytes[i + k] & 0x3F);
        }
        if (length == 3 && (character < 0x800 || (character >= 0xD800 && character <= 0xDFFF)))
            return false;
        uint16_t& code = codes[character];
        if (code == 0)
            code = Look(utf8.substr(i, length));
        if (code == kNone)
            return false;
        if (code > 0xFF)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
        i += length;
    }
    return true;
}

} // namespace cp932cache
