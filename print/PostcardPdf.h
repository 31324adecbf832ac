#pragma once
// Postcards or envelopes to a PDF file: one page of the size's paper a card,
// in the given order, fonts embedded. Needs a QGuiApplication.

#include "platform/FileError.h"
#include "print/PostcardPainter.h"

#include <optional>
#include <span>
#include <vector>

struct PostcardProblem {
    const CAddrCard* card = nullptr;
    PostcardReport report;
};

// Writes the file beside path under another name and renames it over path
// once it is complete; a failed run leaves any earlier file as it was. FALSE
// on a file error, which fileError receives when given (else it is shown).
// problems receives the cards whose report is not clean, in print order.
BOOL WritePostcardsPdf(const char* path, std::span<const CAddrCard* const> cards,
                       const CPostcardPainter& painter, bool guides,
                       std::vector<PostcardProblem>* problems = nullptr,
                       std::optional<CFileError>* fileError = nullptr);
