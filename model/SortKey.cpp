#include "model/SortKey.h"

#include "platform/MbChar.h"

void AppendSortKey(std::string_view sjis, std::string& out) {
    for (size_t pos = 0; pos < sjis.size();) {
        const auto c = static_cast<unsigned char>(sjis[pos]);
        if (mb::IsLeadByte(c) && pos + 1 < sjis.size()) {
            out += static_cast<char>(c <= 0x9F ? c : c - 0x40);
            out += sjis[pos + 1];
            pos += 2;
            continue;
        }
        if (c >= 0x80)
            out += '\x80';
        out += static_cast<char>(c);
        ++pos;
    }
}
