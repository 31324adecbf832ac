#pragma once
// Where a value of the book's JSON came from, for messages:
// "card 3, contact 2, field "text"". The text is made only for a message, not
// for every card read. Also the hex digits of a text stored as bytes, which
// both readers take.

#include "CliMessages.h"

#include <cstddef>
#include <string>

struct JsonPlace {
    const char* english; // "card %1", or a text without %1 when index is 0
    const char* japanese;
    size_t index = 0;
    size_t contact = 0; // counted from 1; 0 for none

    std::string Where() const {
        std::string where = Tr(english, japanese);
        if (index)
            where = Format(where, {std::to_string(index)});
        if (contact)
            where = Format(Tr("%1, contact %2", "%1、連絡先 %2"), {where, std::to_string(contact)});
        return where;
    }
    std::string Field(const char* key) const {
        return Format(Tr("%1, field \"%2\"", "%1、項目 \"%2\""), {Where(), key});
    }
};

// The value of a hex digit of a text stored as {"sjis":"<hex bytes>"}; -1 for
// any other character.
inline int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
