// The library's progress window, dialog helpers, selection dialogs, colour
// buttons and pages on real widgets.

#include "GuiTestSupport.h"

#include "platform/SettingsStore.h"
#include "platform/StringTable.h"
#include "zklib/ZkStrings.h"
#include "zklib/dialogs/ZkDlg.h"
#include "zklib/dialogs/ZkPages.h"
#include "zklib/dialogs/ZkProgressDlg.h"
#include "zklib/dialogs/ZkSelectDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTreeView>
#include <QWizard>

#include <climits>
#include <functional>
#include <tuple>

namespace {

QString Entries(const QComboBox& box) {
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts << (i == box.currentIndex() ? u'[' + box.itemText(i) + u']' : box.itemText(i));
    return texts.join(u'|');
}

void Grab(QWidget& widget, const char* name) {
    const QByteArray folder = qgetenv("KOLVANE_SCREENSHOTS");
    if (!folder.isEmpty())
        widget.grab().save(QString::fromLocal8Bit(folder + "/" + name + ".png"));
}

} // namespace

class ZkWidgetsTest : public QObject {
    Q_OBJECT
private:
    RecordingUserInteraction ui;
    CMemorySettingsStore settings;

private slots:
    void initTestCase() {
        AfxSetUserInteraction(&ui);
        AfxSetProfile(&settings);
    }
    void cleanupTestCase() {
        AfxSetProfile(nullptr);
        AfxSetUserInteraction(nullptr);
    }
    void cleanup() { QCOMPARE(Utf8(ui.Problems()), QString()); }

    void progressMovesByOnePercentAndStopsOnlyByAbort() {
        QMainWindow main;
        main.show();
        CZkProgressDlg progress;
        progress.SetText("%s %d", "\x8f\x88\x97\x9d", 3); // 処理 3
        progress.SetAbortable(TRUE);
        QVERIFY(progress.Create(&main));
        Grab(progress, "progress");
        auto* bar = progress.findChild<QProgressBar*>(QStringLiteral("progress"));
        QCOMPARE(progress.findChild<QLabel*>(QStringLiteral("prompt"))->text(),
                 QStringLiteral("処理 3"));
        // The main window is never disabled; the window only blocks its input.
        QVERIFY(main.isEnabled());
        QCOMPARE(progress.windowModality(), Qt::WindowModal);
        progress.SetPos(1);
        const int afterOne = bar->value();
        progress.SetPos(2);
        QCOMPARE(QStringLiteral("%1 %2").arg(afterOne).arg(bar->value()), QStringLiteral("0 2"));
        QTest::keyClick(&progress, Qt::Key_Escape);
        progress.close();
        QVERIFY(progress.isVisible() && !progress.IsAborted());
        // Cut to 511 bytes without splitting the double-byte character at the end.
        progress.SetText("%s\x82\xa0", std::string(510, 'a').c_str());
        QCOMPARE(progress.findChild<QLabel*>(QStringLiteral("prompt"))->text(), QString(510, u'a'));
        progress.SetRange(INT_MIN, INT_MAX);
        QCOMPARE(QStringLiteral("%1 %2").arg(bar->minimum()).arg(bar->maximum()),
                 progress.findChild<QLabel*>(QStringLiteral("progressLower"))->text() + u' ' +
                     progress.findChild<QLabel*>(QStringLiteral("progressUpper"))->text());
        progress.SetRange(0, 1000000);
        QTimer::singleShot(20, progress.findChild<QPushButton*>(QStringLiteral("abort")),
                           &QPushButton::click);
        int steps = 0;
        while (progress.PeekAndPump() && !progress.IsAborted() && steps < 1000000) {
            progress.StepIt();
            ++steps;
        }
        QVERIFY(progress.IsAborted() && steps < 1000000);
        progress.Destroy();
        QVERIFY(main.isEnabled() && !progress.isVisible());
    }

    void helpersFailOnMissingOrWrongControls() {
        QWidget dialog;
        auto* label = new QLabel(&dialog);
        label->setObjectName(QStringLiteral("prompt")); // id 6001
        auto* spin = new QSpinBox(&dialog);
        spin->setObjectName(QStringLiteral("7001"));
        int a = 11, b = 12;
        QWidget* dlg = &dialog;
#define CALL(f, ...) #f, [&](UINT i) { return int(ZkDlg_##f(dlg, i __VA_OPT__(, ) __VA_ARGS__)); }
        // Each helper with its failure value.
        const std::tuple<const char*, std::function<int(UINT)>, int> calls[]{
            {CALL(SetSpinButtonRange, 1, 9), 0}, {CALL(GetSpinButtonRange, a, b), 0},
            {CALL(SetSpinButtonPos, 5), -1},     {CALL(GetSpinButtonPos), -1},
            {CALL(SetSliderRange, 1, 9), 0},     {CALL(GetSliderRange, a, b), 0},
            {CALL(SetSliderPos, 3), 0},          {CALL(GetSliderPos), -1},
            {CALL(SetSliderSelection, 1, 2), 0}, {CALL(SetButtonIcon, 1), 0},
            {CALL(SetButtonCheck, 1), 0},        {CALL(GetButtonCheck), -1},
            {CALL(AddComboBoxString, 1), -1},    {CALL(SetComboBoxCurSel, 0), 0},
            {CALL(GetComboBoxCurSel), -1},
        };
#undef CALL
        for (const auto& [name, call, failure] : calls) {
            const QString expected = QString::fromLatin1(name) + u' ' + QString::number(failure);
            QCOMPARE(QString::fromLatin1(name) + u' ' + QString::number(call(6999)), expected);
            QCOMPARE(QString::fromLatin1(name) + u' ' + QString::number(call(6001)), expected);
        }
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(a).arg(b).arg(label->text()),
                 QStringLiteral("11 12 "));
        QCOMPARE(ZkDlg_EnableDlgItem(&dialog, 6999, FALSE) +
                     ZkDlg_SetDlgItemIntImmediate(&dialog, 6999, 5),
                 FALSE);
        // The one spin button of the dialog, addressed by its id.
        QVERIFY(ZkDlg_SetSpinButtonRange(&dialog, 7001, -5, 40));
        QCOMPARE(ZkDlg_SetSpinButtonPos(&dialog, 7001, -3) + spin->value(), 0 - 3);
        CStringTable tips;
        QVERIFY(tips.Load("7001\tﾋﾝﾄ\n6001\t\n"));
        AfxSetResourceStrings(&tips);
        QCOMPARE(ZkDlg_InitToolTip(&dialog), 1);
        AfxSetResourceStrings(nullptr);
        QCOMPARE(spin->toolTip() + u'|' + label->toolTip(), QStringLiteral("ﾋﾝﾄ|"));
        QVERIFY(ZkDlg_SetDlgItemIntImmediate(&dialog, 6001, UINT(-7), TRUE));
        QCOMPARE(label->text(), QStringLiteral("-7"));
    }

    void choiceDialogsOfferOkOnlyWithAChoice() {
        CZkListDlg list;
        CZkDropListDlg drop;
        auto* rows = list.findChild<QListWidget*>(QStringLiteral("list"));
        auto* box = drop.findChild<QComboBox*>(QStringLiteral("dropList"));
        QPushButton* ok[]{list.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          drop.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)};
        QStringList states;
        for (UINT initial : {2, 9}) {
            for (CZkChoiceDlg* dialog : std::initializer_list<CZkChoiceDlg*>{&list, &drop}) {
                if (initial == 2)
                    for (auto [text, value] : {std::pair{"cherry", 3}, {"Apple", 1}, {"banana", 2}})
                        dialog->SetItem(text, value);
                dialog->m_nValue = initial;
                dialog->Prepare();
                dialog->show();
            }
            states << QStringLiteral("%1 %2 %3 %4 %5")
                          .arg(rows->item(0)->text() + rows->item(2)->text())
                          .arg(rows->currentRow())
                          .arg(box->currentText())
                          .arg(ok[0]->isEnabled())
                          .arg(ok[1]->isEnabled());
        }
        QCOMPARE(states.join(u'/'), QStringLiteral("Applecherry 1 banana 1 1/Applecherry -1  0 0"));
        Grab(list, "list-dialog");
        box->setCurrentIndex(2);
        QTest::mouseClick(ok[1], Qt::LeftButton);
        // A double click chooses the row and closes with OK.
        const QPoint row = rows->visualItemRect(rows->item(0)).center();
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(list.result())
                     .arg(list.m_nValue)
                     .arg(drop.result())
                     .arg(drop.m_nValue),
                 QStringLiteral("1 1 1 3"));
    }

    void folderChooserShowsFoldersAndAsksEveryMove() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Café 住所録/sub")));
        QFile(dir.filePath(QStringLiteral("file.txt"))).open(QIODevice::WriteOnly);
        struct Chooser : CZkDirDialog {
            QStringList asked;
            BOOL SelChanged(const char* path, CString& status) override {
                asked << QString::fromUtf8(path);
                status = "here";
                return !asked.back().endsWith(QStringLiteral("sub"));
            }
        } chooser;
        const std::string root = dir.path().toStdString();
        chooser.m_strRoot = root.c_str();
        chooser.m_strInitial = (root + "/Café 住所録/ ").c_str();
        chooser.m_bStatusText = TRUE;
        QString seen;
        WhenShown<QDialog>([&](QDialog& dialog) {
            auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("folders"));
            QTest::qWait(100); // the folder model lists in the background
            QStringList names;
            for (int i = 0; i < tree->model()->rowCount(tree->rootIndex()); ++i)
                names << tree->model()->index(i, 0, tree->rootIndex()).data().toString();
            QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            seen = names.join(u'|') + u' ' + QString::number(ok->isEnabled()) + u' ' +
                   dialog.findChild<QLabel*>(QStringLiteral("status"))->text();
            Grab(dialog, "folder-chooser");
            ok->click();
        });
        QVERIFY(chooser.DoBrowse());
        QCOMPARE(seen, QStringLiteral("Café 住所録 1 here"));
        QCOMPARE(chooser.asked, QStringList(dir.filePath(QStringLiteral("Café 住所録"))));
        QCOMPARE(QString::fromUtf8(chooser.m_strPath.GetString()), chooser.asked.back());
        chooser.m_strRoot = (root + "/gone").c_str();
        QVERIFY(!chooser.DoBrowse());
    }

    void integersSortSignedAndFramesTakeWholeControls() {
        CZkIntComboBox box;
        QVERIFY(box.AddValues({5, 1, 3}));
        QCOMPARE(box.AddValue(-1), 0);
        std::vector<int> values;
        box.GetAllValues(values);
        QCOMPARE(values, (std::vector<int>{-1, 1, 3, 5}));
        QCOMPARE(box.itemText(0) + QString::number(box.FindValue(0, 3)), QStringLiteral("-12"));
        QWidget dialog;
        auto* frame = new QGroupBox(&dialog);
        frame->setObjectName(QStringLiteral("7000"));
        frame->setGeometry(10, 10, 100, 100);
        auto* inside = new QPushButton(&dialog);
        inside->setGeometry(20, 20, 30, 30);
        auto* across = new QPushButton(&dialog);
        across->setGeometry(90, 20, 30, 30);
        CZkCheckFrame check;
        QVERIFY(check.Set(&dialog, 7000));
        check.Enable(FALSE);
        QCOMPARE(QStringLiteral("%1 %2").arg(inside->isEnabled()).arg(across->isEnabled()),
                 QStringLiteral("0 1"));
        ui.ExpectMessage("Unable to find frame control");
        QVERIFY(!check.Set(&dialog, 7999));
        // The expanding dialog takes the size of the marker of its state.
        CZkExpandDialog expand;
        auto* toggle = new QPushButton(&expand);
        toggle->setObjectName(QStringLiteral("7100"));
        for (auto [id, size] : {std::pair{7101, QSize(200, 100)}, {7102, QSize(300, 250)}}) {
            auto* marker = new QWidget(&expand);
            marker->setObjectName(QString::number(id));
            marker->resize(size);
        }
        expand.SetControls(7100, 7101, 7102);
        expand.show();
        QStringList states{toggle->text() + QString::number(expand.width())};
        toggle->click();
        states << toggle->text() + QString::number(expand.height());
        QCOMPARE(states.join(u' '), QStringLiteral(">200 <250"));
    }

    void colourButtonsPaintTheirColours() {
        CZkColorButton button;
        button.setText(QStringLiteral("Aa"));
        button.resize(80, 30);
        button.SetColor(RGB(255, 255, 0));
        ui.ChooseColor(RGB(0, 0, 128)).CancelColor();
        QCOMPARE(button.ShowDialog(), IDOK);
        QCOMPARE(button.ShowDialog(), IDCANCEL);
        QCOMPARE(ui.colorPrompts, (std::vector<COLORREF>{RGB(255, 255, 0), RGB(0, 0, 128)}));
        const QImage face = button.grab().toImage();
        Grab(button, "colour-button");
        QCOMPARE(face.pixelColor(5, 15), QColor(0, 0, 128));
        button.setEnabled(false);
        QCOMPARE(button.grab().toImage().pixelColor(40, 15), QColor(194, 194, 194));
        CZkColorGradeButton grade;
        grade.resize(20, 101);
        grade.SetMinColor(RGB(0, 0, 0));
        grade.SetMaxColor(RGB(200, 100, 0));
        const QImage bars = grade.grab().toImage();
        Grab(grade, "colour-grade");
        QCOMPARE(QStringList({bars.pixelColor(0, 50).name(), bars.pixelColor(10, 1).name(),
                              bars.pixelColor(10, 50).name(), bars.pixelColor(10, 99).name()})
                     .join(u' '),
                 QStringLiteral("#000000 #c66300 #643200 #020100"));
    }

    void wizardsOfferTheButtonsOfEachPlace() {
        const auto buttons = [](QWizard& wizard) {
            QStringList shown;
            for (auto [which, name] : {std::pair{QWizard::BackButton, "Back"},
                                       {QWizard::NextButton, "Next"},
                                       {QWizard::FinishButton, "Finish"}})
                if (wizard.button(which)->isVisible() && wizard.button(which)->isEnabled())
                    shown << QString::fromLatin1(name);
            return shown.join(u'+');
        };
        QStringList walk;
        for (int pages : {1, 3}) {
            QWizard wizard;
            for (int i = 0; i < pages; ++i)
                wizard.addPage(new CZkWizardPage);
            wizard.show();
            walk << buttons(wizard);
            for (int i = 1; i < pages; ++i) {
                wizard.next();
                walk << buttons(wizard);
            }
            for (int i = 1; i < pages; ++i) {
                wizard.back();
                walk << buttons(wizard);
            }
        }
        QCOMPARE(walk.join(u' '),
                 QStringLiteral("Finish Next Back+Next Back+Finish Back+Next Next"));
    }

    void pagesSplashAndTheLanguageOfTheirTexts() {
        CZkPropertySheet sheet(QStringLiteral("設定"));
        auto* content = new QWidget;
        content->resize(400, 200);
        auto* scroll = new CZkScrollPage(content);
        scroll->setWindowTitle(QStringLiteral("表示"));
        sheet.AddPage(new CZkEmptyPage);
        sheet.AddPage(scroll);
        sheet.resize(600, 400);
        sheet.show();
        Grab(sheet, "empty-page");
        sheet.Tabs()->setCurrentIndex(1); // larger than the page: nothing to scroll
        QCOMPARE(scroll->HorzRange() + scroll->VertRange(), 0);
        QCOMPARE(sheet.Tabs()->tabText(0) + sheet.Tabs()->widget(0)->findChild<QLabel*>()->text(),
                 QStringLiteral("一般ﾌﾟﾛﾊﾟﾃｨはありません。"));
        // A page whose view is 200 x 100 of its 400 x 200 scrolls 25 units each way.
        auto* large = new QWidget;
        large->resize(400, 200);
        CZkScrollPage small(large);
        small.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        small.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        small.resize(200 + small.verticalScrollBar()->sizeHint().width(),
                     100 + small.horizontalScrollBar()->sizeHint().height());
        small.show();
        QCOMPARE(QStringLiteral("%1 %2").arg(small.HorzRange()).arg(small.VertRange()),
                 QStringLiteral("25 25"));
        // A splash without its image opens at its own size and closes after two seconds.
        CZkSplashDlg splash(9999);
        QVERIFY(splash.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(splash.DoModal(), int(QDialog::Accepted));
        QVERIFY(clock.elapsed() >= 1900);
        // The library's texts in English.
        ZkSetLanguage(ZkLanguage::english);
        const QString english = CZkProgressDlg().windowTitle() + u'|' +
                                CZkEmptyPage().windowTitle() + u'|' + Utf8(ZkLoadStringUtf8(21));
        ZkSetLanguage(ZkLanguage::japanese);
        QCOMPARE(english, QStringLiteral(
                              "Working|General|"
                              "Please enter at most %d bytes (a double-byte character counts 2)."));
    }

    void comboHistoryKeepsItsLength() {
        QComboBox box;
        for (int i = 0; i < 12; ++i)
            box.addItem(QString::number(i));
        QVERIFY(ZkDlg_SaveComboBoxContents("History", &box, 10));
        QCOMPARE(Utf8(settings.GetProfileString("History", "Item0").GetString()) +
                     Utf8(settings.GetProfileString("History", "Item9").GetString()),
                 QStringLiteral("211"));
        // A shrunken history stays short: the old keys go.
        box.clear();
        box.addItems({QStringLiteral("abc"), QStringLiteral("AB"), QStringLiteral("x")});
        QVERIFY(ZkDlg_SaveComboBoxContents("History", &box, 10));
        QComboBox loaded;
        QVERIFY(ZkDlg_LoadComboBoxContents("History", &loaded, -1));
        QCOMPARE(Entries(loaded), QStringLiteral("abc|AB|[x]"));
        // Only the equal entry (case aside) is replaced, not one that begins so.
        QVERIFY(ZkDlg_AddUniqueString(&loaded, "ab"));
        QCOMPARE(Entries(loaded), QStringLiteral("abc|x|[ab]"));
        QVERIFY(ZkDlg_ClearComboBoxContents("History", &loaded, -1));
        QComboBox empty;
        QVERIFY(ZkDlg_LoadComboBoxContents("History", &empty, -1));
        QCOMPARE(loaded.count() + empty.count(), 0);
    }

    // Last: the application quits.
    void pumpingEndsWhenTheApplicationQuits() {
        CZkProgressDlg progress;
        int loops = 0;
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(10, qApp, &QCoreApplication::quit);
            while (progress.PeekAndPump() && loops < 10000000)
                ++loops;
        });
        QApplication::exec();
        QVERIFY(loops < 10000000);
        QVERIFY(!progress.PeekAndPump());
    }
};

QTEST_MAIN(ZkWidgetsTest)
#include "ZkWidgetsTest.moc"
