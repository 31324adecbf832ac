#pragma once
// The export run: cards written one CSV line each, as an export layout makes
// them, to a file in binary. The file replaces the target only when every line
// was written, so a failed export leaves the old file as it was.

#include "platform/File.h"
#include "platform/FileError.h"
#include "transfer/ExportLayout.h"

#include <optional>
#include <span>

// The cards' lines, in order, written to file in blocks (raises CFileException).
void WriteExportLines(CFile* file, std::span<const CAddrCard* const> cards,
                      const CExportLayout& layout);

// Writes the cards' lines to path; written receives the number of cards, or 0
// on an error, which names path.
std::optional<CFileError> ExportCards(const char* path, std::span<const CAddrCard* const> cards,
                                      const CExportLayout& layout, int& written);
