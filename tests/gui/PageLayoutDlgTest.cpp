// The layout editor: values in centimetres and inches, the paper list, the
// refusals said inside the dialog and on OK, lengths that pass through the
// editor unchanged, and Cancel past a bad value.

#include "GuiTestSupport.h"

#include "layouts/LayoutRoot.h"
#include "print/PrintMessages.h"
#include "views/JapaneseUi.h"
#include "views/SheetPreview.h"
#include "views/dialogs/PageLayoutDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

namespace {

const char kPapers[] = "//name,width,height\r\nLetter,215.9,279.4\r\nA4,210,297\r\nB5,182,257\r\n";

class Editor {
public:
    explicit Editor(const CPageLayout& layout) : dialog(layout) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    QLineEdit* Edit(const char* name) { return dialog.findChild<QLineEdit*>(QLatin1String(name)); }
    QString Text(const char* name) { return Edit(name)->text(); }
    // Types into the edit and, unless asked to stay, leaves it.
    void Type(const char* name, const QString& text, bool leave = true) {
        QLineEdit* edit = Edit(name);
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (leave)
            QTest::keyClick(edit, Qt::Key_Tab);
    }
    void Click(const char* name) {
        dialog.findChild<QAbstractButton*>(QLatin1String(name))->click();
    }
    const std::optional<CPageLayout>& Preview() {
        return static_cast<CSheetPreview*>(
                   dialog.findChild<QWidget*>(QStringLiteral("sheetPreview")))
            ->Layout();
    }
    QComboBox& Paper() { return *dialog.findChild<QComboBox*>(QStringLiteral("paper")); }
    QString Problem() { return dialog.findChild<QLabel*>(QStringLiteral("problem"))->text(); }
    CPageLayoutDlg dialog;
};

void Wheel(QWidget* widget, int steps) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(at, widget->mapToGlobal(at), {}, QPoint(0, -120 * steps), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

} // namespace

class PageLayoutDlgTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiSession> s;

private slots:
    void initTestCase() { SetUpJapaneseUi(*qApp); }
    void init() {
        s = std::make_unique<GuiSession>();
        SetLayoutRoot(s->dir.path().toLocal8Bit().constData());
        QFile papers(s->dir.filePath(QStringLiteral("PAPERS.DEF")));
        QVERIFY(papers.open(QIODevice::WriteOnly));
        papers.write(kPapers);
    }
    void cleanup() {
        QCOMPARE(Utf8(s->ui.Problems()), QString());
        s.reset();
        SetLayoutRoot(nullptr);
    }

    void valuesShowInTheUnitAndOrientationAndFollowThePaper() {
        Editor e{CPageLayout()};
        QCOMPARE(e.Paper().currentText(), QStringLiteral("Letter"));
        QCOMPARE(e.Text("pageWidth") + u' ' + e.Text("pageMarginTop") + u' ' + e.Text("cellWidth"),
                 QStringLiteral("21.590 1.270 19.05"));
        e.Click("inches");
        QCOMPARE(e.Text("pageWidth") + u' ' + e.Text("pageMarginTop") + u' ' + e.Text("cellWidth"),
                 QStringLiteral("8.500 0.500 7.50"));
        e.Click("centimetres");
        e.Click("landscape");
        e.Paper().setFocus();
        QTest::keyClick(&e.Paper(), Qt::Key_Down);
        QCOMPARE(e.Paper().currentText(), QStringLiteral("A4"));
        QCOMPARE(e.Text("pageWidth") + u' ' + e.Text("pageHeight"),
                 QStringLiteral("29.700 21.000"));
        // A typed size selects its paper (within 0.1 mm, upright), another none.
        e.Type("pageWidth", QStringLiteral("25.7"));
        e.Type("pageHeight", QStringLiteral("18.205"));
        QCOMPARE(e.Paper().currentText(), QStringLiteral("B5"));
        e.Type("pageHeight", QStringLiteral("18.3"));
        QCOMPARE(e.Paper().currentIndex(), -1);
        // A margin typed and not yet left is kept when the wheel changes the paper.
        e.Type("pageMarginTop", QStringLiteral("3"), false);
        Wheel(&e.Paper(), 1);
        QCOMPARE(e.Paper().currentText(), QStringLiteral("Letter"));
        QCOMPARE(e.Text("pageMarginTop") + u' ' + e.Text("pageWidth"),
                 QStringLiteral("3.000 27.940"));
        e.Type("layoutName", QStringLiteral(" "));
        e.Click("ok");
        QCOMPARE(e.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(e.dialog.Layout().m_lenPageMarginTop.mm(), 30.0f);
        QCOMPARE(e.dialog.Layout().GetName(), CZkString(" "));
    }

    void unitTogglesAndOkLeaveTheLengthsAsTheyWere() {
        // A4 12面's 21.6 mm shows as 0.850 inch: read back it would be 21.59 mm.
        CPageLayout a4;
        QVERIFY(!a4.Load(BUNDLED_LAYOUTS_DIR "/A4_12.KVL"));
        Editor e{a4};
        const QString shots = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::tempPath());
        QDir().mkpath(shots);
        QVERIFY(e.dialog.grab().save(shots + QStringLiteral("/layout_editor_cm.png")));
        for (const char* unit : {"inches", "centimetres", "inches", "landscape"})
            e.Click(unit);
        QVERIFY(e.dialog.grab().save(shots + QStringLiteral("/layout_editor_inch.png")));
        e.Click("portrait");
        e.Type("rows", QStringLiteral("3"));
        e.Click("ok");
        a4.m_nRows = 3;
        const std::string a = s->Path("a.KVL"), b = s->Path("b.KVL");
        QVERIFY(!e.dialog.Layout().Save(a.c_str()));
        QVERIFY(!a4.Save(b.c_str()));
        QCOMPARE(ReadBytes(a), ReadBytes(b));
    }

    void badValuesAreMarkedWhileEditingAndRefusedOnOk() {
        // Typed into the default Letter sheet: the field, the text, the field marked and why.
        const char* const notANumber = "数値を入力してください。";
        const struct {
            const char* field;
            const char* text;
            const char* marked;
            const char* why;
        } cases[] = {
            {"pageWidth", "abc", "pageWidth", notANumber},
            {"pageHeight", "1,5", "pageHeight", notANumber},
            {"pageWidth", "0", "pageWidth",
             "用紙の幅は 0 mm より大きく 2000 mm 以下にしてください。"},
            {"pageMarginBottom", "-0.1", "pageMarginBottom",
             "用紙余白の下は 0 mm から 2000 mm までにしてください。"},
            {"pageMarginLeft", "20.4", "pageMarginRight",
             "用紙余白の左と右で用紙の幅がなくなります。余白を小さくしてください。"},
            {"columns", "0", "columns", "1 から 100 までの整数を入力してください。"},
            {"columns", "101", "columns", "1 から 100 までの整数を入力してください。"},
            {"rows", "-2", "rows", "正の整数を入力してください。"},
            {"cellMarginTop", "26", "cellMarginBottom",
             "ｾﾙ内余白の上と下でｾﾙの高さがなくなります。ｾﾙ内余白を小さくしてください。"},
        };
        CPageLayout named;
        named.SetName("x");
        for (const auto& c : cases) {
            Editor e{named};
            QVERIFY(e.Preview());
            e.Type(c.field, QString::fromUtf8(c.text));
            QCOMPARE(e.Edit(c.marked)->toolTip(), QString::fromUtf8(c.why));
            QCOMPARE(e.Problem(), QString::fromUtf8(c.why));
            // The picture keeps the last usable layout.
            QVERIFY(e.Preview()->IsValid());
            s->ui.ExpectMessage(c.why);
            e.Click("ok");
            QCOMPARE(e.dialog.result(), int(QDialog::Rejected));
            QVERIFY(e.dialog.isVisible());
            QCOMPARE(QApplication::focusWidget(), e.Edit(c.field));
            // Cancel always closes, with no message.
            e.Click("cancel");
            QVERIFY(!e.dialog.isVisible());
        }
        // A name is needed (blanks are a name, tested above) and must fit code page 932.
        Editor e{CPageLayout()};
        s->ui.ExpectMessage("ﾚｲｱｳﾄ名を入力してください。");
        e.Click("ok");
        QCOMPARE(QApplication::focusWidget(), e.Edit("layoutName"));
        e.Edit("layoutName")->setText(QStringLiteral("☎"));
        s->ui.ExpectMessage(
            "「☎」(U+260E) は住所録に保存できない文字です。\n別の文字に置き換えてください。");
        e.Click("ok");
        QVERIFY(e.dialog.isVisible());
    }
};

QTEST_MAIN(PageLayoutDlgTest)
#include "PageLayoutDlgTest.moc"
