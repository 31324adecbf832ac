#include "app/QtUserInteraction.h"

#include "platform/QtText.h"
#include "res/AppStrings.h"
#include "views/AppPrinter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr UINT IDS_APP_NAME = 57344;

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::Warning;
    }
}

struct Button {
    int answer;
    QMessageBox::ButtonRole role;
    const char* text; // UTF-8
};

std::vector<Button> ButtonsOf(UINT type) {
    const Button ok{IDOK, QMessageBox::AcceptRole, "OK"};
    const Button cancel{IDCANCEL, QMessageBox::RejectRole, "ｷｬﾝｾﾙ"};
    const Button yes{IDYES, QMessageBox::YesRole, "はい(&Y)"};
    const Button no{IDNO, QMessageBox::NoRole, "いいえ(&N)"};
    const Button abort{IDABORT, QMessageBox::RejectRole, "中止(&A)"};
    const Button retry{IDRETRY, QMessageBox::AcceptRole, "再試行(&R)"};
    const Button ignore{IDIGNORE, QMessageBox::AcceptRole, "無視(&I)"};
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {ok, cancel};
    case MB_ABORTRETRYIGNORE:
        return {abort, retry, ignore};
    case MB_YESNOCANCEL:
        return {yes, no, cancel};
    case MB_YESNO:
        return {yes, no};
    case MB_RETRYCANCEL:
        return {retry, cancel};
    default:
        return {ok};
    }
}

// "Name (*.ext)|*.ext|Other|*.x;*.y|" as Qt's "Name (*.ext);;Other (*.x *.y)".
QString QtFilter(const std::string& filter) {
    const QStringList parts = Utf8(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString name = parts[i];
        const qsizetype paren = name.indexOf(QLatin1Char('('));
        if (paren >= 0)
            name = name.left(paren).trimmed();
        out << name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

QString FaceOf(const LOGFONT& lf) {
    return qtext::FromSjis(
        CString(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE))));
}

QFont FontOf(const LOGFONT& lf, int dpi) {
    QFont font(FaceOf(lf));
    if (lf.lfHeight != 0 && dpi > 0)
        font.setPointSizeF(std::abs(static_cast<double>(lf.lfHeight)) * 72.0 / dpi);
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

// The font description of the dialog's choice, the dialog having started from
// start: what the user did not change stays as it was, so that choosing the
// same font again changes nothing, the fields the dialog does not show (width,
// quality, pitch, character set) and a height between whole points included.
// Nothing when the face name has no Shift_JIS form that fits the record.
std::optional<LOGFONT> LogFontOf(const LOGFONT& start, const QFont& font, int dpi) {
    const QFont shown = FontOf(start, dpi);
    const QString startFace = FaceOf(start);
    // Another name of an installed face (IPAゴシック for IPAGothic) is the same face.
    const bool sameFace =
        font.family() == startFace ||
        (QFontDatabase::hasFamily(startFace) && QFontInfo(shown).family() == font.family());
    LOGFONT lf = start;
    if (!sameFace) {
        CString face;
        if (!qtext::ToSjis(font.family(), face) || face.GetLength() >= LF_FACESIZE)
            return std::nullopt;
        std::memset(lf.lfFaceName, 0, LF_FACESIZE);
        std::memcpy(lf.lfFaceName, face.GetString(), static_cast<size_t>(face.GetLength()));
        // What described the old face: the new one brings its own.
        lf.lfCharSet = 1; // the default character set
        lf.lfPitchAndFamily = 0;
    }
    // The dialog offers whole points: the start's size rounded is no change.
    const double points = font.pointSizeF();
    if (points != shown.pointSizeF() && points != std::round(shown.pointSizeF()))
        lf.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    if (!sameFace || font.weight() != shown.weight())
        lf.lfWeight = font.weight();
    if (font.italic() != shown.italic())
        lf.lfItalic = font.italic() ? 1 : 0;
    if (font.underline() != shown.underline())
        lf.lfUnderline = font.underline() ? 1 : 0;
    if (font.strikeOut() != shown.strikeOut())
        lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    return lf;
}

} // namespace

int CQtUserInteraction::MessageBox(const std::string& text, UINT type) {
    QMessageBox box(IconOf(type), qtext::FromSjis(LoadAppString(IDS_APP_NAME)), Utf8(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    const std::vector<Button> buttons = ButtonsOf(type);
    std::vector<QAbstractButton*> widgets;
    for (const Button& b : buttons)
        widgets.push_back(box.addButton(QString::fromUtf8(b.text), b.role));
    const size_t def = std::min<size_t>((type & MB_DEFMASK) >> 8, buttons.size() - 1);
    box.setDefaultButton(static_cast<QPushButton*>(widgets[def]));
    // Escape gives Cancel where there is one, else (a single OK) the OK.
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].answer == IDCANCEL || buttons.size() == 1)
            box.setEscapeButton(widgets[i]);
    box.exec();
    for (size_t i = 0; i < widgets.size(); ++i)
        if (box.clickedButton() == widgets[i])
            return buttons[i].answer;
    return DefaultAnswer(type);
}

std::optional<std::string> CQtUserInteraction::PromptFileName(const FilePrompt& prompt) {
    QFileDialog dialog(QApplication::activeWindow(), Utf8(prompt.title));
    dialog.setNameFilter(QtFilter(prompt.filter));
    dialog.setAcceptMode(prompt.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(prompt.open && !prompt.createPrompt ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
    if (!prompt.defaultExt.empty())
        dialog.setDefaultSuffix(Utf8(prompt.defaultExt));
    if (!prompt.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!prompt.initialPath.empty())
        dialog.selectFile(qtext::FromPath(prompt.initialPath));
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString chosen = dialog.selectedFiles().front();
        if (prompt.createPrompt && !QFileInfo::exists(chosen)) {
            const QString question = chosen + QStringLiteral("\nこのﾌｧｲﾙは存在しません。\n"
                                                             "ﾌｧｲﾙを作成しますか?");
            if (QMessageBox::question(&dialog, dialog.windowTitle(), question) != QMessageBox::Yes)
                continue;
        }
        return qtext::ToPath(chosen);
    }
    return std::nullopt;
}

std::optional<PrintChoice> CQtUserInteraction::PromptPrint(const PrintPrompt& prompt) {
    QPrinter& printer = AfxGetAppPrinter();
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setMinMax(1, std::max(prompt.lastPage, 1));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, prompt.selectionEnabled);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintChoice choice;
    if (printer.printRange() == QPrinter::Selection) {
        choice.range = PrintChoice::Range::selection;
    } else if (printer.printRange() == QPrinter::PageRange && !printer.pageRanges().isEmpty()) {
        choice.range = PrintChoice::Range::pages;
        for (const QPageRanges::Range& r : printer.pageRanges().toRangeList())
            choice.pages.push_back({r.from, r.to});
    }
    if (printer.outputFormat() == QPrinter::PdfFormat)
        choice.outputFile = qtext::ToPath(printer.outputFileName());
    return choice;
}

bool CQtUserInteraction::PromptPrinterSetup() {
    QPrintDialog dialog(&AfxGetAppPrinter(), QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("ﾌﾟﾘﾝﾀの設定"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<LOGFONT> CQtUserInteraction::PromptFont(const LOGFONT& font, int dpi) {
    QFontDialog dialog(FontOf(font, dpi), QApplication::activeWindow());
    while (dialog.exec() == QDialog::Accepted) {
        if (std::optional<LOGFONT> chosen = LogFontOf(font, dialog.selectedFont(), dpi))
            return chosen;
        MessageBox("ﾌｫﾝﾄ名 \"" + dialog.selectedFont().family().toStdString() +
                       "\" は使えません。ほかのﾌｫﾝﾄを選んでください。",
                   MB_ICONEXCLAMATION);
    }
    return std::nullopt;
}

std::optional<COLORREF> CQtUserInteraction::PromptColor(COLORREF color) {
    const QColor start(GetRValue(color), GetGValue(color), GetBValue(color));
    const QColor chosen = QColorDialog::getColor(start, QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return RGB(chosen.red(), chosen.green(), chosen.blue());
}
