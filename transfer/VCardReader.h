#pragma once
// vCard files (2.1, 3.0, 4.0) read into cards. Phones, online address books and
// mail programs keep the reading of a name in several places of their own; the
// reader takes it from whichever the file has. Nothing is dropped silently: a
// character code page 932 cannot hold becomes 〓 and is reported, properties
// the card has no field for are counted by name, damaged lines are named.

#include "model/AddrCard.h"
#include "model/ContactMethodTable.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class VCardCharset { Auto, Utf8, Cp932 };
enum class VCardNotation { Auto, Japanese, English };

struct VCardReadOptions {
    // Auto takes the property's CHARSET, else a byte-order mark, else UTF-8 when
    // the file is valid UTF-8, else Shift_JIS; 4.0 is always UTF-8. A choice
    // other than Auto holds for every value.
    VCardCharset charset = VCardCharset::Auto;
    // Auto takes X-KOLVANE-NOTATION, else Japanese when a reading was found or
    // the name holds a character beyond ASCII.
    VCardNotation notation = VCardNotation::Auto;
    // Readings become hiragana, as the kana index files them.
    bool hiraganaReadings = true;
};

enum class VCardProblemKind {
    NoColon,        // a line without a value
    OutsideCard,    // text before BEGIN:VCARD or after END:VCARD
    MissingEnd,     // the file ended inside a card
    UnknownCharset, // CHARSET named a code the reader does not know; read as without it
    EmptyCard,      // a card with nothing the address book keeps; not imported
    TooManyMethods, // a label past the limit of new contact methods; kept with the blank method
};

struct VCardProblem {
    int line = 0; // 1-based physical line where the property or card begins
    VCardProblemKind kind = VCardProblemKind::NoColon;
    std::string detail; // UTF-8: the charset or label named
};

// A character code page 932 cannot hold, stored as 〓.
struct VCardUnstorable {
    int card = 0; // 1-based among the cards read
    int line = 0;
    std::string property;  // as the file names it, upper case
    std::string character; // UTF-8 (U+FFFD for bytes that were no character)
};

struct VCardReport {
    int cards = 0;
    std::map<std::string, int> ignored; // property name (upper case) -> times
    std::vector<VCardProblem> problems;
    std::vector<VCardUnstorable> unstorable;
};

// The cards of the file's bytes in file order. Contact labels that match no
// method of methods are added to it as new methods.
std::vector<std::unique_ptr<CAddrCard>> ReadVCards(std::string_view bytes,
                                                   CContactMethodTable& methods,
                                                   const VCardReadOptions& options,
                                                   VCardReport& report);

// True when the bytes begin, after a byte-order mark and blank lines, with BEGIN:VCARD.
bool LooksLikeVCard(std::string_view bytes);

// A problem or an unstorable character worded for the user, with its line.
std::string VCardProblemText(const VCardProblem& problem, bool japanese);
std::string VCardUnstorableText(const VCardUnstorable& entry, bool japanese);
