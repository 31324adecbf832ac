// The library's progress window, dialog helpers, selection dialogs, colour
// buttons and pages on real widgets.

#include "GuiTestSupport.h"

#include "platform/SettingsStore.h"
#include "zklib/dialogs/ZkDlg.h"
#include "zklib/dialogs/ZkProgressDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <climits>
#include <functional>

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
        auto* bar = progress.findChild<QProgressBar*>(QStringLiteral("progress"));
        QCOMPARE(progress.findChild<QLabel*>(QStringLiteral("prompt"))->text(),
                 QStringLiteral("処理 3"));
        // The main window is never disabled; the window only blocks its input.
        QVERIFY(main.isEnabled());
        QCOMPARE(progress.windowModality(), Qt::WindowModal);
        progress.SetPos(1);
        QCOMPARE(bar->value(), 0);
        progress.SetPos(2);
        QCOMPARE(bar->value(), 2);
        QTest::keyClick(&progress, Qt::Key_Escape);
        progress.close();
        QVERIFY(progress.isVisible());
        QVERIFY(!progress.IsAborted());
        // Cut to 511 bytes without splitting the double-byte character at the end.
        progress.SetText("%s\x82\xa0", std::string(510, 'a').c_str());
        QCOMPARE(progress.findChild<QLabel*>(QStringLiteral("prompt"))->text(), QString(510, u'a'));
        progress.SetRange(INT_MIN, INT_MAX);
        QCOMPARE(QStringList({QString::number(bar->minimum()), QString::number(bar->maximum()),
                              progress.findChild<QLabel*>(QStringLiteral("progressLower"))->text(),
                              progress.findChild<QLabel*>(QStringLiteral("progressUpper"))->text()})
                     .join(u' '),
                 QStringLiteral("-2147483648 2147483647 -2147483648 2147483647"));
        progress.SetRange(0, 1000000);
        Grab(progress, "progress");
        QTimer::singleShot(20, progress.findChild<QPushButton*>(QStringLiteral("abort")),
                           &QPushButton::click);
        int steps = 0;
        while (progress.PeekAndPump() && !progress.IsAborted() && steps < 1000000) {
            progress.StepIt();
            ++steps;
        }
        QVERIFY(progress.IsAborted());
        QVERIFY(steps < 1000000);
        progress.Destroy();
        QVERIFY(!progress.isVisible());
        QVERIFY(main.isEnabled());
    }

    void helpersFailOnMissingOrWrongControls() {
        QWidget dialog;
        auto* label = new QLabel(&dialog);
        label->setObjectName(QStringLiteral("prompt")); // id 6001
        auto* spin = new QSpinBox(&dialog);
        spin->setObjectName(QStringLiteral("7001"));
        int a = 11, b = 12;
        const std::pair<const char*, std::function<int(UINT)>> calls[]{
            {"SetSpinButtonRange",
             [&](UINT id) { return ZkDlg_SetSpinButtonRange(&dialog, id, 1, 9); }},
            {"GetSpinButtonRange",
             [&](UINT id) { return ZkDlg_GetSpinButtonRange(&dialog, id, a, b); }},
            {"SetSpinButtonPos",
             [&](UINT id) { return ZkDlg_SetSpinButtonPos(&dialog, id, 5) + 1; }},
            {"GetSpinButtonPos", [&](UINT id) { return ZkDlg_GetSpinButtonPos(&dialog, id) + 1; }},
            {"SetSliderRange", [&](UINT id) { return ZkDlg_SetSliderRange(&dialog, id, 1, 9); }},
            {"GetSliderRange", [&](UINT id) { return ZkDlg_GetSliderRange(&dialog, id, a, b); }},
            {"SetSliderPos", [&](UINT id) { return ZkDlg_SetSliderPos(&dialog, id, 3); }},
            {"GetSliderPos", [&](UINT id) { return ZkDlg_GetSliderPos(&dialog, id) + 1; }},
            {"SetSliderSelection",
             [&](UINT id) { return ZkDlg_SetSliderSelection(&dialog, id, 1, 2); }},
            {"SetButtonIcon", [&](UINT id) { return ZkDlg_SetButtonIcon(&dialog, id, 1); }},
            {"SetButtonCheck", [&](UINT id) { return ZkDlg_SetButtonCheck(&dialog, id, 1); }},
            {"GetButtonCheck", [&](UINT id) { return ZkDlg_GetButtonCheck(&dialog, id) + 1; }},
            {"AddComboBoxString",
             [&](UINT id) { return ZkDlg_AddComboBoxString(&dialog, id, 1) + 1; }},
            {"SetComboBoxCurSel", [&](UINT id) { return ZkDlg_SetComboBoxCurSel(&dialog, id, 0); }},
            {"GetComboBoxCurSel",
             [&](UINT id) { return ZkDlg_GetComboBoxCurSel(&dialog, id) + 1; }},
        };
        for (const auto& [name, call] : calls) {
            const QString what = QString::fromLatin1(name);
            QCOMPARE(what + u' ' + QString::number(call(6999)), what + QStringLiteral(" 0"));
            QCOMPARE(what + u' ' + QString::number(call(6001)), what + QStringLiteral(" 0"));
        }
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(a).arg(b).arg(label->text()),
                 QStringLiteral("11 12 "));
        QCOMPARE(ZkDlg_EnableDlgItem(&dialog, 6999, FALSE) +
                     ZkDlg_SetDlgItemIntImmediate(&dialog, 6999, 5),
                 FALSE);
        // The one spin button of the dialog, addressed by its id.
        QVERIFY(ZkDlg_SetSpinButtonRange(&dialog, 7001, -5, 40));
        QCOMPARE(ZkDlg_SetSpinButtonPos(&dialog, 7001, -3), 0);
        QCOMPARE(QStringLiteral("%1..%2 %3")
                     .arg(spin->minimum())
                     .arg(spin->maximum())
                     .arg(spin->value()),
                 QStringLiteral("-5..40 -3"));
        QVERIFY(ZkDlg_SetDlgItemIntImmediate(&dialog, 6001, UINT(-7), TRUE));
        QCOMPARE(label->text(), QStringLiteral("-7"));
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
};

QTEST_MAIN(ZkWidgetsTest)
#include "ZkWidgetsTest.moc"
