#pragma once
// The bytes of the program's private clipboard formats. Cards go as a 32-bit
// little-endian count followed by each card's record exactly as the address
// book file stores it; the book's contact methods go beside them in their
// stored form, so that pasting into another book can keep the methods' names.
// The readers trust nothing of the data: counts are checked against the bytes
// left, and a block that fails anywhere gives nothing. Bytes after the last
// record are ignored (clipboard blocks may be padded with zeros).

#include "model/AddrBook.h"
#include "platform/FileError.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kCardsMimeName = "Kolvane Cards";
inline constexpr const char* kMethodsMimeName = "Kolvane Contact Methods";

std::string WriteCardBlock(std::span<const CAddrCard* const> cards);
std::string WriteMethodBlock(const CContactMethodTable& methods);

// Fills cards with the block's cards only when every record was read.
std::optional<CFileError> ReadCardBlock(std::string_view bytes,
                                        std::vector<std::unique_ptr<CAddrCard>>& cards);
// Fills methods, which should be empty, only when the whole table was read.
std::optional<CFileError> ReadMethodBlock(std::string_view bytes, CContactMethodTable& methods);

// Gives each contact entry of the cards, whose ids are those of source, the id
// of the target method with the same Japanese and English names. A method
// target lacks is added to it under an id that neither target nor any card of
// book uses. An id source does not know stays as it is. True when methods were
// added.
bool MapMethodIds(std::span<const std::unique_ptr<CAddrCard>> cards,
                  const CContactMethodTable& source, CContactMethodTable& target,
                  const CAddrBook& book);
