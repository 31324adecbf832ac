#include "Cp932Cache.h"

#include "platform/CodePage.h"
#include "platform/MbChar.h"

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

// Per character of the code page (one byte, or lead << 8 | trail): 0 when not
// looked up yet, kNoTrip when it does not come back, else its UTF-8 (at most
// three bytes) with the length in the top byte.
constexpr uint32_t kNoTrip = 0xFFFFFFFF;

uint32_t Trip(std::string_view character) {
    std::string utf8;
    CString back;
    if (!cp932::ToUtf8(character, utf8) || utf8.empty() || utf8.size() > 3 ||
        !cp932::FromUtf8(utf8, back) || back.view() != character)
        return kNoTrip;
    uint32_t trip = static_cast<uint32_t>(utf8.size()) << 24;
    for (size_t i = 0; i < utf8.size(); ++i)
        trip |= static_cast<uint32_t>(static_cast<uint8_t>(utf8[i])) << (8 * i);
    return trip;
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

bool AppendRoundTripUtf8(std::string_view sjis, std::string& out) {
    thread_local std::unique_ptr<uint32_t[]> trips;
    if (!trips)
        trips = std::make_unique<uint32_t[]>(0x10000);
    const auto* bytes = reinterpret_cast<const uint8_t*>(sjis.data());
    const size_t size = sjis.size();
    size_t i = 0;
    while (i < size) {
        const uint8_t lead = bytes[i];
        if (lead < 0x80 && lead != 0) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const size_t length = mb::IsLeadByte(lead) ? 2 : 1;
        if (size - i < length)
            return false;
        const uint16_t code = length == 2 ? static_cast<uint16_t>(lead << 8 | bytes[i + 1]) : lead;
        uint32_t& trip = trips[code];
        if (trip == 0)
            trip = Trip(sjis.substr(i, length));
        if (trip == kNoTrip)
            return false;
        for (uint32_t k = 0; k < trip >> 24; ++k)
            out += static_cast<char>(trip >> (8 * k));
        i += length;
    }
    return true;
}

} // namespace cp932cache
