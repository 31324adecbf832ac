#pragma once
// Cards written as a vCard file: 3.0 or 4.0 in UTF-8 for address books and
// mail programs, 2.1 in Shift_JIS for old phones. Every non-empty field is
// written whatever the card's notation; the reading goes where the common
// readers look for it, and X-KOLVANE-* properties bring back what vCard has no
// place for (the memo, the notation).

#include "model/AddrCard.h"
#include "model/ContactMethodTable.h"
#include "platform/FileError.h"

#include <optional>
#include <span>
#include <string>

enum class VCardVersion { V21, V30, V40 };

// The file's bytes: CR LF lines; 3.0 and 4.0 folded at 75 octets.
std::string WriteVCards(std::span<const CAddrCard* const> cards, const CContactMethodTable& methods,
                        VCardVersion version);

// Writes the cards to path; the file replaces the target only when all was
// written. written receives the number of cards, or 0 on an error.
std::optional<CFileError> ExportVCards(const char* path, std::span<const CAddrCard* const> cards,
                                       const CContactMethodTable& methods, VCardVersion version,
                                       int& written);
