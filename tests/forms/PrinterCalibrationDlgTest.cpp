// Printer calibration: the stored offset shown, refused values with their
// message and the focus on the field, the test page printed, and OK keeping
// the typed offset under the printer's name.

#include "views/dialogs/PrinterCalibrationDlg.h"
#include "FormsTestSupport.h"
#include "platform/MemorySettingsStore.h"

#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class PrinterCalibrationDlgTest : public QObject {
    Q_OBJECT
private slots:
    void typedOffsetIsCheckedAndKeptUnderThePrinterName() {
        CScriptedUser user;
        CMemorySettingsStore store;
        AfxSetProfile(&store);
        const char* key = "Label%20Printer";
        store.WriteProfileString("PrinterOffset", key, "0.50,-0.25");
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFileName(dir.filePath(QStringLiteral("calibration.pdf")));
        CPrinterCalibrationDlg dlg(printer, QStringLiteral("Label Printer"), CPageLayout());
        ShowActive(&dlg);
        QCOMPARE(dlg.XEdit().text(), QStringLiteral("0.50"));
        QCOMPARE(dlg.YEdit().text(), QStringLiteral("-0.25"));
        SaveScreenshot(&dlg, QStringLiteral("printer-calibration"));
        const auto type = [&dlg](const char* x, const char* y) {
            for (auto [edit, text] : {std::pair{&dlg.XEdit(), x}, std::pair{&dlg.YEdit(), y}}) {
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                TypeText(edit, Q(text));
            }
        };
        const auto ok = [&dlg] {
            for (QPushButton* button : dlg.findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("OK"))
                    QTest::mouseClick(button, Qt::LeftButton);
        };
        // Each refusal: the message, the focus on the field, nothing kept.
        const std::tuple<const char*, const char*, QLineEdit*> refused[] = {
            {"20.5", "0", &dlg.XEdit()}, {"1,5", "0", &dlg.XEdit()}, {"1.5", "", &dlg.YEdit()}};
        for (const auto& [x, y, field] : refused) {
            type(x, y);
            user.ui.ExpectMessage(
                "印刷位置の補正には -20 から 20 までの数値を mm で入力してください。");
            ok();
            QVERIFY(dlg.isVisible() && field->hasFocus());
            QCOMPARE(store.GetProfileString("PrinterOffset", key), CString("0.50,-0.25"));
        }
        // Full-width digits, as the Japanese input method types them.
        type("１．５", "-2");
        QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("printCalibrationPage")),
                          Qt::LeftButton);
        QVERIFY(QFile(printer.outputFileName()).size() > 1000);
        ok();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(store.GetProfileString("PrinterOffset", key), CString("1.50,-2.00"));
        QVERIFY(user.ui.Problems().empty());
        AfxSetProfile(nullptr);
    }
};

KOLVANE_FORMS_TEST(PrinterCalibrationDlgTest);

#include "PrinterCalibrationDlgTest.moc"
