#include "views/dialogs/PrinterCalibrationDlg.h"

#include "platform/CNumber.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/AppPrinter.h"
#include "views/LabelPrinter.h"
#include "views/dialogs/DataExchange.h"
#include "views/dialogs/DialogStrings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* MmEdit(QWidget* parent, const char* name, double mm) {
    auto* edit = new QLineEdit(QString::number(mm, 'f', 2), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(12);
    return edit;
}

} // namespace

CPrinterCalibrationDlg::CPrinterCalibrationDlg(QPrinter& printer, const QString& printerName,
                                               const CPageLayout& sheet, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_strPrinter(printerName) {
    // A sheet that cannot be printed on is replaced by the default paper.
    if (sheet.IsValid())
        m_sheet.CopyFrom(sheet);
    const PrintOffset offset = LoadPrinterOffset(printerName);
    m_pX = MmEdit(this, "offsetX", offset.x);
    m_pY = MmEdit(this, "offsetY", offset.y);
    setObjectName(QStringLiteral("printerCalibration"));
    setWindowTitle(QStringLiteral("ｷｬﾘﾌﾞﾚｰｼｮﾝ"));

    auto* printerLabel =
        new QLabel(printerName.isEmpty() ? QStringLiteral("ﾌﾟﾘﾝﾀがありません。")
                                         : QStringLiteral("ﾌﾟﾘﾝﾀ: %1").arg(printerName),
                   this);
    printerLabel->setObjectName(QStringLiteral("printerName"));
    auto* help = new QLabel(
        QStringLiteral("ﾃｽﾄ ﾍﾟｰｼﾞを印刷し、十字の中心から用紙の左端と上端までを測ってください。"
                       "30 mm より長ければその差を横 (縦) の値から引き、短ければ足します。"
                       "補正はこのﾌﾟﾘﾝﾀで印刷するすべてのﾍﾟｰｼﾞに使われます。"),
        this);
    help->setWordWrap(true);
    auto* form = new QFormLayout;
    const auto mmRow = [this, form](const QString& label, QLineEdit* edit) {
        auto* row = new QHBoxLayout;
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-00.000")) * 2);
        row->addWidget(edit);
        row->addWidget(new QLabel(QStringLiteral("mm"), this));
        row->addStretch();
        auto* caption = new QLabel(label, this);
        caption->setBuddy(edit);
        form->addRow(caption, row);
    };
    mmRow(QStringLiteral("横(&X):"), m_pX);
    mmRow(QStringLiteral("縦(&Y):"), m_pY);

    auto* print = new QPushButton(QStringLiteral("ﾃｽﾄ ﾍﾟｰｼﾞの印刷(&P)"), this);
    print->setObjectName(QStringLiteral("printCalibrationPage"));
    print->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    for (QWidget* w : std::initializer_list<QWidget*>{m_pX, m_pY, print, ok})
        w->setEnabled(!printerName.isEmpty());

    auto* column = new QVBoxLayout(this);
    column->addWidget(printerLabel);
    column->addWidget(help);
    column->addLayout(form);
    column->addWidget(print, 0, Qt::AlignLeft);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPrinterCalibrationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPrinterCalibrationDlg::reject);
    connect(print, &QPushButton::clicked, this, &CPrinterCalibrationDlg::OnPrint);
    resize(380, sizeHint().height());
}

std::optional<PrintOffset> CPrinterCalibrationDlg::TakeOffset() {
    PrintOffset offset;
    for (auto [edit, mm] : {std::pair{m_pX, &offset.x}, std::pair{m_pY, &offset.y}}) {
        // Full-width digits as typed with the Japanese input method are digits too.
        const QString text = edit->text().normalized(QString::NormalizationForm_KC);
        const std::optional<double> value = cnum::ParseDouble(text.toStdString());
        if (!value || !IsValidPrintOffset(*value)) {
            AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_PRINT_OFFSET_RANGE), MB_ICONEXCLAMATION);
            FocusRefusedEdit(edit);
            return std::nullopt;
        }
        *mm = *value;
    }
    return offset;
}

void CPrinterCalibrationDlg::OnPrint() {
    const std::optional<PrintOffset> offset = TakeOffset();
    if (offset && !PrintCalibrationPage(m_printer, m_sheet, *offset))
        AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_CALIBRATION_NOT_PRINTED), MB_ICONSTOP);
}

void CPrinterCalibrationDlg::accept() {
    if (m_strPrinter.isEmpty())
        return;
    const std::optional<PrintOffset> offset = TakeOffset();
    if (!offset)
        return;
    SavePrinterOffset(m_strPrinter, *offset);
    QDialog::accept();
}

void CalibrateAppPrinter(const CPageLayout& sheet, QWidget* parent) {
    QPrinter& printer = AfxGetAppPrinter();
    // After printing to a file the application's printer is the system's again.
    if (printer.outputFormat() != QPrinter::NativeFormat)
        printer.setOutputFormat(QPrinter::NativeFormat);
    CPrinterCalibrationDlg dialog(printer, printer.printerName(), sheet, parent);
    dialog.exec();
}
