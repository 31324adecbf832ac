#pragma once
// The calibration of a printer: how far its pages are moved, in millimetres,
// so that what it prints lands where the layout puts it. A printer that feeds
// the paper a little off is corrected once for every sheet. The user measures
// the calibration page (print/CalibrationPage.h) and types the offset; it is
// kept in the settings (section "PrinterOffset", the printer's name as the
// key, "X,Y" in millimetres with a decimal point) and applied to every page
// printed on that printer, never to the preview, and to PDF files only when
// asked for.

#include "platform/Types.h"

#include <QString>

#include <optional>
#include <string_view>

struct PrintOffset {
    double x = 0; // to the right
    double y = 0; // downwards

    friend bool operator==(const PrintOffset&, const PrintOffset&) = default;
};

inline constexpr double kMaxPrintOffsetMm = 20.0;

// Finite and no more than 20 mm either way.
bool IsValidPrintOffset(double mm);
// "X,Y" in millimetres, a decimal point whatever the locale; nothing unless
// both are valid offsets.
std::optional<PrintOffset> ParsePrintOffset(std::string_view text);

// The stored offset of the printer; none (zero) for an unknown printer, an
// empty name or a stored value that is not a valid offset.
PrintOffset LoadPrinterOffset(const QString& printerName);
// A zero offset removes the printer's key. FALSE for an empty name, an
// invalid offset or a store that cannot be written.
BOOL SavePrinterOffset(const QString& printerName, PrintOffset offset);
