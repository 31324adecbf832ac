// The page setup dialog: the bundled page layouts, the chosen sheet, deleting a
// layout, the print fonts, and the current page layout and fonts it sets.

#include "GuiTestSupport.h"

#include "layouts/LayoutRoot.h"
#include "views/AddrListView.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"
#include "views/PageSetupDlg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstring>

namespace {

// The listed names, the selected one in brackets.
QString Listed(const QListWidget& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row) {
        const QString name = list.item(row)->text();
        names << (list.item(row)->isSelected() ? u'[' + name + u']' : name);
    }
    return names.join(u'|');
}

LOGFONT Font(const char* face, LONG height) {
    LOGFONT font{};
    std::strcpy(font.lfFaceName, face);
    font.lfHeight = height;
    return font;
}

CPageLayout Named(const char* utf8) {
    CPageLayout layout;
    layout.SetName(Sjis(utf8));
    return layout;
}

} // namespace

class PageSetupTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiSession> s;
    CPrintFonts fonts;

    // The bundled layouts in a LAYOUTS folder of the session's own.
    void CopyBundledLayouts() {
        const QString folder = s->dir.filePath(QStringLiteral("LAYOUTS"));
        QVERIFY(QDir().mkpath(folder));
        const QDir bundled(QStringLiteral(BUNDLED_LAYOUTS_DIR));
        for (const QString& file : bundled.entryList({QStringLiteral("*.KVL")}))
            QVERIFY(QFile::copy(bundled.filePath(file), folder + QLatin1Char('/') + file));
    }
    template <class Widget> static QString Text(QDialog& dialog, const char* name) {
        return dialog.findChild<Widget*>(QLatin1String(name))->text();
    }
    QPushButton* Button(QDialog& dialog, const QString& text) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }

private slots:
    void initTestCase() {
        SetUpJapaneseUi(*qApp);
        fonts.SetMissingToDefaults(kDefaultFontDpi);
    }
    void init() {
        s = std::make_unique<GuiSession>();
        SetLayoutRoot(s->dir.path().toLocal8Bit().constData());
    }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
        SetLayoutRoot(nullptr);
    }

    void theDialogChangesFontsAndListsChoosesAndDeletesLayouts() {
        // Without layout files only Cancel works.
        CPageSetupDlg empty(Named("A4 12面"), fonts);
        QCOMPARE(empty.List().count(), 0);
        QVERIFY(!Button(empty, QStringLiteral("OK"))->isEnabled());
        QVERIFY(!Button(empty, QStringLiteral("削除(&R)"))->isEnabled());
        // Changing a font starts from it and shows the choice.
        s->ui.ChooseFont(Font("IPAMincho", -100)).CancelFont();
        Button(empty, QStringLiteral("変更(&J)..."))->click();
        QCOMPARE(Text<QLineEdit>(empty, "fontJapanese"), QStringLiteral("IPAMincho 12 ﾎﾟｲﾝﾄ"));
        Button(empty, QStringLiteral("変更(&G)..."))->click();
        QCOMPARE(Text<QLineEdit>(empty, "fontEnglish"), QStringLiteral("Arial 9 ﾎﾟｲﾝﾄ"));
        QCOMPARE(QString::fromLatin1(s->ui.fontPrompts.at(0).lfFaceName) +
                     QString::number(s->ui.fontPrompts[0].lfHeight) +
                     QString::fromLatin1(s->ui.fontPrompts.at(1).lfFaceName),
                 QStringLiteral("IPAGothic-75Arial"));
        empty.accept();
        QCOMPARE(empty.result(), int(QDialog::Rejected));
        // Sizes show in whole points, rounded half up; a positive height is the cell's.
        for (const auto& [height, dpi, points] :
             {std::tuple{-75, 600, 9}, {79, 600, 9}, {-38, 608, 5}, {-38, 0, 0}})
            QCOMPARE(FontDescription(Font("Arial", height), dpi),
                     QStringLiteral("Arial %1 ﾎﾟｲﾝﾄ").arg(points));
        // A layout of another name opens with the first entry, which OK loads.
        CopyBundledLayouts();
        CPageSetupDlg other(Named("消えたﾚｲｱｳﾄ"), fonts);
        QVERIFY(Listed(other.List()).startsWith(QStringLiteral("[A4 10面]|")));
        other.accept();
        QCOMPARE(other.Layout().GetCellCount(), 10);
        // The current layout is selected whatever its letter case.
        CPageSetupDlg dialog(Named("a4 18面"), fonts);
        QCOMPARE(Listed(dialog.List()), QStringLiteral("A4 10面|A4 12面|[A4 18面]|A4 21面|A4 24面|"
                                                       "Letter 10面|Letter 30面"));
        QCOMPARE(Text<QLabel>(dialog, "sheetSize"),
                 QStringLiteral("210.0 × 297.0 mm、2 列 × 9 行"));
        QCOMPARE(Text<QLineEdit>(dialog, "fontJapanese"), QStringLiteral("IPAGothic 9 ﾎﾟｲﾝﾄ"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // A click chooses a layout as the arrow keys do.
        QListWidget& list = dialog.List();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(6)).center());
        QVERIFY(Listed(list).endsWith(QStringLiteral("|[Letter 30面]")));
        QCOMPARE(Text<QLabel>(dialog, "sheetSize"),
                 QStringLiteral("215.9 × 279.4 mm、3 列 × 10 行"));
        const QString folder = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(folder);
        QVERIFY(dialog.grab().save(folder + QStringLiteral("/page_setup.png")));
        dialog.accept();
        QCOMPARE(dialog.Layout().GetName(), CZkString(Sjis("Letter 30面")));
        // Deleting asks first and removes the file.
        CPageSetupDlg doomed(Named("A4 21面"), fonts);
        const char* const question = "ﾚｲｱｳﾄ \"A4 21面\" を削除します。\n削除してもいいですか?";
        QPushButton* remove = Button(doomed, QStringLiteral("削除(&R)"));
        s->ui.ExpectMessage(question, IDNO);
        remove->click();
        QCOMPARE(doomed.List().count(), 7);
        s->ui.ExpectMessage(question, IDYES);
        remove->click();
        QVERIFY(!QFile::exists(s->dir.filePath(QStringLiteral("LAYOUTS/A4_21.KVL"))));
        QCOMPARE(Listed(doomed.List()),
                 QStringLiteral("[A4 10面]|A4 12面|A4 18面|A4 24面|Letter 10面|Letter 30面"));
        // The entries after the deleted one still load their own files.
        doomed.List().setCurrentRow(3);
        doomed.accept();
        QCOMPARE(doomed.Layout().GetName(), CZkString(Sjis("A4 24面")));
    }

    void theCommandMakesTheChosenLayoutCurrentAndKeepsIt() {
        // The layout in the settings is current from the start.
        s->settings.WriteProfileInt("PageLayout", "Columns", 3);
        s->settings.WriteProfileInt("PageLayout", "Rows", 7);
        CopyBundledLayouts();
        WriteBook(s->Path("book.kvd"), SampleCards());
        QVERIFY(s->Start({QString::fromStdString(s->Path("book.kvd"))}));
        QVERIFY(QTest::qWaitForWindowExposed(&s->Frame()));
        QCOMPARE(s->List().PageLayout().GetCellCount(), 21);
        // OK makes the chosen layout and fonts current and keeps them.
        s->ui.ChooseFont(Font("IPAMincho", -100));
        QTimer::singleShot(0, [this] {
            auto* dialog = qobject_cast<CPageSetupDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->List().setCurrentRow(1);
            Button(*dialog, QStringLiteral("変更(&J)..."))->click();
            QTest::keyClick(&dialog->List(), Qt::Key_Return);
        });
        QVERIFY(s->Frame().RunCommand(ID_FILE_PAGE_SETUP));
        QCOMPARE(s->settings.GetProfileString("PageLayout", "LayoutName"), Sjis("A4 12面"));
        QVERIFY(s->settings.Contains("Settings", "PrintFontJa"));
        // Cancel keeps them whatever was chosen meanwhile; labels print in the fonts.
        s->ui.ChooseFont(Font("IPAPGothic", -100));
        QTimer::singleShot(0, [this] {
            auto* dialog = qobject_cast<CPageSetupDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->List().setCurrentRow(0);
            Button(*dialog, QStringLiteral("変更(&J)..."))->click();
            dialog->close();
        });
        QVERIFY(s->Frame().RunCommand(ID_FILE_PAGE_SETUP));
        QCOMPARE(s->List().PageLayout().GetName(), CZkString(Sjis("A4 12面")));
        QCOMPARE(QString::fromLatin1(s->List().PrintFonts().m_lfJapanese.lfFaceName),
                 QStringLiteral("IPAMincho"));
        const std::string pdf = s->Path("mincho.pdf");
        s->ui.ChoosePrint({PrintChoice::Range::all, {}, pdf});
        QVERIFY(s->Frame().RunCommand(ID_FILE_PRINT));
        QProcess pdffonts;
        pdffonts.start(QStringLiteral("pdffonts"), {QString::fromStdString(pdf)});
        QVERIFY(pdffonts.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(pdffonts.readAllStandardOutput())
                    .contains(QStringLiteral("IPAMincho")));
    }
};

QTEST_MAIN(PageSetupTest)
#include "PageSetupTest.moc"
