#include "print/PrinterOffset.h"

#include "platform/CNumber.h"
#include "platform/SettingsStore.h"

#include <QByteArray>

#include <cmath>

namespace {

constexpr const char* kSection = "PrinterOffset";

// Printer names may hold any character, keys ASCII only: the name's UTF-8,
// percent-escaped.
QByteArray KeyOf(const QString& printerName) {
    return printerName.toUtf8().toPercentEncoding();
}

} // namespace

bool IsValidPrintOffset(double mm) {
    return std::isfinite(mm) && std::fabs(mm) <= kMaxPrintOffsetMm;
}

std::optional<PrintOffset> ParsePrintOffset(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const std::optional<double> x = cnum::ParseDouble(text.substr(0, comma));
    const std::optional<double> y = cnum::ParseDouble(text.substr(comma + 1));
    if (!x || !y || !IsValidPrintOffset(*x) || !IsValidPrintOffset(*y))
        return std::nullopt;
    return PrintOffset{*x, *y};
}

PrintOffset LoadPrinterOffset(const QString& printerName) {
    if (printerName.isEmpty())
        return {};
    const CString text = AfxGetProfile().GetProfileString(kSection, KeyOf(printerName), "");
    return ParsePrintOffset(text.view()).value_or(PrintOffset{});
}

BOOL SavePrinterOffset(const QString& printerName, PrintOffset offset) {
    if (printerName.isEmpty() || !IsValidPrintOffset(offset.x) || !IsValidPrintOffset(offset.y))
        return FALSE;
    if (offset == PrintOffset{})
        return AfxGetProfile().RemoveKey(kSection, KeyOf(printerName));
    CString text;
    text.Format("%.2f,%.2f", offset.x, offset.y);
    return AfxGetProfile().WriteProfileString(kSection, KeyOf(printerName), text);
}
