#pragma once
// What the vCard reader and writer share: the contact kinds the format names
// and the default methods they stand for.

#include "platform/Types.h"

#include <string_view>

namespace vcard {

enum class Kind { Phone, Fax, Cell, Pager, Mail, Web, Handle };

struct MethodNames {
    UINT japanese; // string ids of the default method's names
    UINT english;
};

constexpr MethodNames StandardMethodNames(Kind kind) {
    switch (kind) {
    case Kind::Phone:
        return {132, 138};
    case Kind::Fax:
        return {133, 139};
    case Kind::Cell:
        return {134, 140};
    case Kind::Pager:
        return {135, 141};
    case Kind::Mail:
        return {136, 142};
    case Kind::Web:
        return {137, 143};
    case Kind::Handle:
        return {273, 274};
    }
    return {132, 138};
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace vcard
