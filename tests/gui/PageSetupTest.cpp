// The page setup dialog: the bundled page layouts, the chosen sheet, making,
// editing, copying and deleting layouts, files that cannot be read, the print
// fonts, and the current page layout and fonts it sets.

#include "GuiTestSupport.h"

#include "layouts/LayoutRoot.h"
#include "views/AddrListView.h"
#include "views/CommandIds.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"
#include "views/PageSetupDlg.h"
#include "views/dialogs/PageLayoutDlg.h"

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
#include <deque>
#include <functional>

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

    // Steps run in turn on each layout editor as it opens.
    std::deque<std::function<void(CPageLayoutDlg&)>> editorSteps;
    QTimer editorWatch;

    // Seven bundled layouts in a LAYOUTS folder of the session's own.
    void CopyBundledLayouts() {
        const QString folder = s->dir.filePath(QStringLiteral("LAYOUTS"));
        QVERIFY(QDir().mkpath(folder));
        const QDir bundled(QStringLiteral(BUNDLED_LAYOUTS_DIR));
        for (const char* file :
             {"A4_10", "A4_12", "A4_18", "A4_21", "A4_24", "LETTER_10", "LETTER_30"})
            QVERIFY(QFile::copy(bundled.filePath(QLatin1String(file) + QStringLiteral(".KVL")),
                                folder + QLatin1Char('/') + QLatin1String(file) +
                                    QStringLiteral(".KVL")));
    }
    // An editor step: checks the name shown, types another (unless null) and
    // presses OK.
    void Editor(const char* shown, const char* typed) {
        editorSteps.push_back([shown, typed](CPageLayoutDlg& editor) {
            auto* name = editor.findChild<QLineEdit*>(QStringLiteral("layoutName"));
            QCOMPARE(name->text(), QString::fromUtf8(shown));
            if (typed)
                name->setText(QString::fromUtf8(typed));
            editor.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        });
    }
    QString File(const char* name) {
        return s->dir.filePath(QStringLiteral("LAYOUTS/") + QLatin1String(name));
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
        QFile papers(s->dir.filePath(QStringLiteral("PAPERS.DEF")));
        QVERIFY(papers.open(QIODevice::WriteOnly) && papers.write("A4,210,297\r\n") > 0);
        editorWatch.setInterval(5);
        connect(&editorWatch, &QTimer::timeout, this, [this] {
            auto* editor = qobject_cast<CPageLayoutDlg*>(QApplication::activeModalWidget());
            if (editor && editor->isVisible() && !editorSteps.empty()) {
                const auto step = editorSteps.front();
                editorSteps.pop_front();
                step(*editor);
            }
        });
        editorWatch.start();
    }
    void cleanup() {
        editorWatch.stop();
        editorWatch.disconnect();
        QCOMPARE(editorSteps.size(), size_t(0));
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
        SetLayoutRoot(nullptr);
    }

    void theDialogChangesFontsAndListsChoosesAndDeletesLayouts() {
        // Without layout files only New and Cancel work.
        CPageSetupDlg empty(Named("A4 12面"), fonts);
        QCOMPARE(empty.List().count(), 0);
        for (const char* button : {"OK", "削除(&R)", "編集(&E)...", "複製(&C)..."})
            QVERIFY(!Button(empty, QString::fromUtf8(button))->isEnabled());
        QVERIFY(Button(empty, QStringLiteral("新規(&N)..."))->isEnabled());
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

    void newEditAndCopyWriteTheFileAndReopenTheEditorOnATakenName() {
        CPageSetupDlg dialog(Named(""), fonts);
        // New, first with a name in use: the editor keeps what was typed.
        const char* const taken =
            "ﾚｲｱｳﾄ名 \"%1\" は既に使われています。\n重複しない名前を入力してください。";
        Editor("", "ABC");
        Button(dialog, QStringLiteral("新規(&N)..."))->click();
        const std::string defaultBody(
            "\0\0\0\0"                         // portrait
            "\x66\xE6\x57\x43\x33\xB3\x8B\x43" // 215.9 x 279.4
            "\x33\x33\x4B\x41\x33\x33\x4B\x41\x33\x33\x4B\x41\x33\x33\x4B\x41"
            "\x01\0\0\0\x01\0\0\0" // 1 column, 1 row
            "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0",
            52);
        QCOMPARE(ReadBytes(File("USER000.KVL").toStdString()),
                 std::string("\x01\0\0\0\x04\0\0\0ABC\0", 12) + defaultBody);
        s->ui.ExpectMessage(QString::fromUtf8(taken).arg(QStringLiteral("ABC")).toStdString());
        Editor("", "ABC");
        Editor("ABC", "abc");
        Button(dialog, QStringLiteral("新規(&N)..."))->click();
        QCOMPARE(Listed(dialog.List()), QStringLiteral("ABC|[abc]"));
        // Copy proposes "ABC のｺﾋﾟｰ", and again after that name was refused.
        dialog.List().setCurrentRow(0);
        Editor("ABC のｺﾋﾟｰ", nullptr);
        Button(dialog, QStringLiteral("複製(&C)..."))->click();
        s->ui.ExpectMessage(
            QString::fromUtf8(taken).arg(QStringLiteral("ABC のｺﾋﾟｰ")).toStdString());
        dialog.List().setCurrentRow(0);
        Editor("ABC のｺﾋﾟｰ", nullptr);
        Editor("ABC のｺﾋﾟｰ", "ABC 2");
        Button(dialog, QStringLiteral("複製(&C)..."))->click();
        QCOMPARE(Listed(dialog.List()), QStringLiteral("ABC|abc|[ABC 2]|ABC のｺﾋﾟｰ"));
        // The exact name is chosen before one that differs in case only.
        QCOMPARE(Listed(CPageSetupDlg(Named("abc"), fonts).List()),
                 QStringLiteral("ABC|[abc]|ABC 2|ABC のｺﾋﾟｰ"));
        QCOMPARE(Listed(CPageSetupDlg(Named("Abc"), fonts).List()),
                 QStringLiteral("[ABC]|abc|ABC 2|ABC のｺﾋﾟｰ"));
        // Edit restores the layout's own name after a taken one; a new name re-sorts the entry.
        s->ui.ExpectMessage(QString::fromUtf8(taken).arg(QStringLiteral("abc")).toStdString());
        dialog.List().setCurrentRow(0);
        Editor("ABC", "abc");
        Editor("ABC", "Z");
        Button(dialog, QStringLiteral("編集(&E)..."))->click();
        QCOMPARE(Listed(dialog.List()), QStringLiteral("abc|ABC 2|ABC のｺﾋﾟｰ|[Z]"));
        QCOMPARE(ReadBytes(File("USER000.KVL").toStdString()),
                 std::string("\x01\0\0\0\x02\0\0\0Z\0", 10) + defaultBody);
        // Cancel keeps the files made.
        dialog.reject();
        QCOMPARE(CPageSetupDlg(Named(""), fonts).List().count(), 4);
    }

    void aFileThatCannotBeReadIsNeitherEditedNorChosen() {
        QVERIFY(QDir().mkpath(s->dir.filePath(QStringLiteral("LAYOUTS"))));
        const std::string newer = File("NEWER.KVL").toStdString();
        const std::string bytes("\x02\0\0\0\x02\0\0\0N\0future", 16);
        QFile file(QString::fromStdString(newer));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes.data(), 16) == 16);
        file.close();
        const std::string refused = "このﾌｧｲﾙは新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄｳｪｱで作成されたものです。\n"
                                    "このﾊﾞｰｼﾞｮﾝで読み込むことはできません。\n" +
                                    newer;
        // Listed without a name, and not shown.
        s->ui.ExpectMessage(refused).ExpectMessage(refused);
        CPageSetupDlg dialog(Named(""), fonts);
        QCOMPARE(Listed(dialog.List()), QStringLiteral("[]"));
        for (const char* button : {"編集(&E)...", "複製(&C)...", "OK"}) {
            s->ui.ExpectMessage(refused);
            Button(dialog, QString::fromUtf8(button))->click();
        }
        QCOMPARE(ReadBytes(newer), bytes);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(QDir(s->dir.filePath(QStringLiteral("LAYOUTS"))).entryList(QDir::Files).size(), 1);
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
