#pragma once
// Printer calibration: prints the calibration page of a sheet
// (print/CalibrationPage.h) and takes the offset the user measured on it, kept
// under the printer's name and applied to every page printed on that printer.

#include "print/PageLayout.h"
#include "print/PrinterOffset.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QPrinter;

class CPrinterCalibrationDlg : public QDialog {
    Q_OBJECT
public:
    // printerName is the name the offset is kept under: the printer's own name.
    // Without one (no printer) nothing can be kept and the dialog only tells so.
    CPrinterCalibrationDlg(QPrinter& printer, const QString& printerName, const CPageLayout& sheet,
                           QWidget* parent = nullptr);

    QLineEdit& XEdit() const { return *m_pX; }
    QLineEdit& YEdit() const { return *m_pY; }

    // Keeps the offset under the printer's name, unless a field is refused.
    void accept() override;

private:
    // The typed offset; nothing after the refusal of a field, which then has the focus.
    std::optional<PrintOffset> TakeOffset();
    void OnPrint();

    QPrinter& m_printer;
    QString m_strPrinter;
    CPageLayout m_sheet;
    QLineEdit* m_pX;
    QLineEdit* m_pY;
};

// Calibrates the application's printer on sheet.
void CalibrateAppPrinter(const CPageLayout& sheet, QWidget* parent);
