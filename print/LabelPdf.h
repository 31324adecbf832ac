#pragma once
// Labels to a PDF file, for the command-line tool: the given cards, in the given
// order, on pages of the layout's printed size, fonts embedded. Needs a
// QGuiApplication (the offscreen platform will do).

#include "platform/FileError.h"
#include "print/PageLayout.h"
#include "print/PrintFonts.h"
#include "print/PrinterOffset.h"

#include <optional>
#include <span>
#include <vector>

class CAddrCard;

// Writes the file beside path under another name and renames it over path once
// it is complete; a failed run leaves any earlier file as it was. FALSE after a
// shown message: a layout out of range or without room for text, no cards, or a
// file error. unfit, when given, receives the cards whose labels did not fit
// (drawn cut at their text rectangle), in print order; the file is written
// with them all the same. fileError, when given, receives a file error
// instead of it being shown. offset moves every page, as a printer's
// calibration would; PDF files are not moved unless asked.
BOOL WriteLabelsPdf(const char* path, std::span<const CAddrCard* const> cards,
                    const CPageLayout& layout, const LabelFonts& fonts, bool outlines,
                    std::vector<const CAddrCard*>* unfit = nullptr,
                    std::optional<CFileError>* fileError = nullptr, PrintOffset offset = {});
