// The real message boxes, file prompts and print dialogs: titles, icons,
// buttons and answers.

#include "GuiTestSupport.h"

#include "app/QtUserInteraction.h"
#include "doc/DocumentType.h"
#include "views/AppPrinter.h"
#include "zklib/ZkProf.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <functional>

class QtUserInteractionTest : public QObject {
    Q_OBJECT
private:
    CQtUserInteraction ui;

    // Runs act on the next modal window once it is up.
    template <class Window> void OnModal(std::function<void(Window*)> act) {
        QTimer::singleShot(0, [act] {
            QTRY_VERIFY(qobject_cast<Window*>(QApplication::activeModalWidget()));
            act(qobject_cast<Window*>(QApplication::activeModalWidget()));
        });
    }

private slots:
    void messageBoxesAndFilePrompts() {
        // A box shows the program's title, the icon, the default button the type
        // names and the buttons; Return answers the default, Escape Cancel.
        const std::tuple<UINT, Qt::Key, int, const char*> boxes[]{
            {MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, Qt::Key_Return, IDNO,
             "ｺﾙｳﾞｧﾈ 4: いいえ(&N)|いいえ(&N)|はい(&Y)|ｷｬﾝｾﾙ"},
            {MB_OKCANCEL | MB_ICONSTOP, Qt::Key_Escape, IDCANCEL, "ｺﾙｳﾞｧﾈ 3: OK|OK|ｷｬﾝｾﾙ"}};
        QString shown;
        for (const auto& [type, key, answer, expected] : boxes) {
            OnModal<QMessageBox>([&shown, press = key](QMessageBox* box) {
                QStringList buttons;
                for (QAbstractButton* b : box->buttons())
                    buttons << b->text();
                buttons.sort();
                shown = QStringLiteral("%1 %2: %3|")
                            .arg(box->windowTitle())
                            .arg(box->icon())
                            .arg(box->defaultButton()->text()) +
                        buttons.join(u'|');
                QTest::keyClick(box, press);
            });
            QCOMPARE(ui.MessageBox("保存しますか?", type), answer);
            QCOMPARE(shown, QString::fromUtf8(expected));
        }
        // File prompts use the document type's filter and extension.
        QTemporaryDir dir;
        OnModal<QFileDialog>([&](QFileDialog* dialog) {
            shown = dialog->windowTitle() + u'|' + dialog->nameFilters().join(u'|');
            QLineEdit* name = dialog->findChild<QLineEdit*>();
            name->setText(QStringLiteral("book"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        FilePrompt prompt = DocumentFilePrompt("名前を付けて保存", false);
        prompt.initialPath = dir.filePath(QStringLiteral("x.kvd")).toStdString();
        QCOMPARE(QString::fromStdString(ui.PromptFileName(prompt).value_or("")),
                 dir.filePath(QStringLiteral("book.kvd")));
        QCOMPARE(shown, QStringLiteral("名前を付けて保存|住所録ﾌｧｲﾙ (*.kvd)"));
    }

    void thePrintAndFontDialogsReportTheChoice() {
        const QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("labels.pdf"));
        AfxGetAppPrinter().setOutputFileName(pdf);
        bool selectionOffered = false;
        int lastPage = 0;
        OnModal<QPrintDialog>([&](QPrintDialog* dialog) {
            selectionOffered = dialog->testOption(QAbstractPrintDialog::PrintSelection);
            lastPage = dialog->maxPage();
            dialog->findChild<QRadioButton*>(QStringLiteral("printSelection"))->click();
            dialog->accept();
        });
        std::optional<PrintChoice> choice = ui.PromptPrint({4, true});
        QVERIFY(choice && selectionOffered);
        QCOMPARE(lastPage, 4);
        QCOMPARE(choice->range, PrintChoice::Range::selection);
        QCOMPARE(QString::fromStdString(choice->outputFile), pdf);
        OnModal<QPrintDialog>([&](QPrintDialog* dialog) {
            selectionOffered = dialog->testOption(QAbstractPrintDialog::PrintSelection);
            dialog->findChild<QRadioButton*>(QStringLiteral("printRange"))->click();
            dialog->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(2);
            dialog->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(3);
            dialog->accept();
        });
        choice = ui.PromptPrint({4, false});
        QVERIFY(choice && !selectionOffered && choice->range == PrintChoice::Range::pages);
        QCOMPARE(choice->pages.size(), size_t(1));
        QCOMPARE(std::pair(choice->pages[0].from, choice->pages[0].to), std::pair(2, 3));
        // Each dialog starts from all pages again.
        OnModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->accept(); });
        choice = ui.PromptPrint({4, true});
        QVERIFY(choice && choice->range == PrintChoice::Range::all);
        OnModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
        QVERIFY(!ui.PromptPrint({4, true}));
        // Printer setup has its own title.
        QString title;
        OnModal<QPrintDialog>([&](QPrintDialog* dialog) {
            title = dialog->windowTitle();
            dialog->reject();
        });
        QVERIFY(!ui.PromptPrinterSetup());
        QCOMPARE(title, QStringLiteral("ﾌﾟﾘﾝﾀの設定"));
        OnModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->accept(); });
        QVERIFY(ui.PromptPrinterSetup());
        // The font dialog starts from the font and gives the choice in the same units.
        LOGFONT start{};
        std::strcpy(start.lfFaceName, "IPAGothic");
        start.lfHeight = -75; // 9 points at 600 pixels per inch
        QFont shown;
        OnModal<QFontDialog>([&](QFontDialog* dialog) {
            shown = dialog->currentFont();
            QFont mincho(QStringLiteral("IPAMincho"));
            mincho.setPointSize(12);
            dialog->setCurrentFont(mincho);
            dialog->accept();
        });
        const LOGFONT chosen = ui.PromptFont(start, 600).value_or(LOGFONT{});
        QCOMPARE(shown.family() + QString::number(shown.pointSize()), QStringLiteral("IPAGothic9"));
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(QLatin1String(chosen.lfFaceName))
                     .arg(chosen.lfHeight)
                     .arg(chosen.lfItalic)
                     .arg(chosen.lfWeight),
                 QStringLiteral("IPAMincho -100 0 400"));

        // The same font chosen again stores the same bytes, what the dialog does
        // not show and a height between whole points included.
        LOGFONT kept{};
        ZkProf_TextToFont("-76,30,0,0,0,0,0,0,128,3,2,2,49", kept);
        std::strcpy(kept.lfFaceName, "IPAGothic");
        for (int pass = 0; pass < 2; ++pass) {
            OnModal<QFontDialog>([](QFontDialog* dialog) { dialog->accept(); });
            kept = ui.PromptFont(kept, 600).value_or(LOGFONT{});
        }
        char text[128];
        ZkProf_FontToText(kept, text, sizeof text);
        QCOMPARE(QLatin1String(text) + u' ' + QLatin1String(kept.lfFaceName),
                 QStringLiteral("-76,30,0,0,0,0,0,0,128,3,2,2,49 IPAGothic"));
    }
};

QTEST_MAIN(QtUserInteractionTest)
#include "QtUserInteractionTest.moc"
