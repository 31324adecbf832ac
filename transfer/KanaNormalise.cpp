#include "transfer/KanaNormalise.h"

#include "platform/MbChar.h"

#include <string>

namespace {

// Full-width forms (Shift_JIS codes) of the half-width kana 0xA1 to 0xDF.
constexpr unsigned short kFullWidth[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, // ｡｢｣､･ｦｧｨ
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B, // ｩｪｫｬｭｮｯｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E, // ｱｲｳｴｵｶｷｸ
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, // ｹｺｻｼｽｾｿﾀ
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A, // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,         // ﾙﾚﾛﾜﾝﾞﾟ
};

constexpr unsigned kKatakanaU = 0x8345;  // ウ
constexpr unsigned kKatakanaVu = 0x8394; // ヴ
constexpr unsigned kKatakanaSmallKe = 0x8396;

// Katakana that take a voiced mark as the next code: カ to ト and ハ to ホ.
bool TakesVoicedMark(unsigned code) {
    return (code >= 0x834A && code <= 0x8367 && code != 0x8362) ||
           (code >= 0x836E && code <= 0x837A && (code - 0x836E) % 3 == 0);
}
bool TakesSemiVoicedMark(unsigned code) {
    return code >= 0x836E && code <= 0x837A && (code - 0x836E) % 3 == 0;
}

// A katakana code as hiragana when it has that form in the code page.
unsigned ToHiragana(unsigned code) {
    if (code >= 0x8340 && code <= 0x8393 && code != 0x837F) {
        const unsigned trail = code & 0xFF;
        return 0x829F + (trail < 0x7F ? trail - 0x40 : trail - 0x41);
    }
    if (code == 0x8152 || code == 0x8153) // ヽ ヾ
        return code + 2;
    return code;
}

void Append(std::string& out, unsigned code) {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

} // namespace

CString KanaToHiragana(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size());
    for (size_t i = 0; i < sjis.size();) {
        const auto c = static_cast<unsigned char>(sjis[i]);
        if (mb::IsLeadByte(c) && i + 1 < sjis.size()) {
            const unsigned code = c << 8 | static_cast<unsigned char>(sjis[i + 1]);
            Append(out, code <= kKatakanaSmallKe && code >= kKatakanaVu ? code : ToHiragana(code));
            i += 2;
            continue;
        }
        if (c < 0xA1 || c > 0xDF) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        unsigned code = kFullWidth[c - 0xA1];
        ++i;
        const auto next = i < sjis.size() ? static_cast<unsigned char>(sjis[i]) : 0;
        if (next == 0xDE && (TakesVoicedMark(code) || code == kKatakanaU)) {
            code = code == kKatakanaU ? kKatakanaVu : code + 1;
            ++i;
        } else if (next == 0xDF && TakesSemiVoicedMark(code)) {
            code += 2;
            ++i;
        }
        Append(out, code == kKatakanaVu ? code : ToHiragana(code));
    }
    return CString(std::string_view(out));
}
