// Anchored controls follow the parent's growth beyond its design size only.

#include "views/controls/ResizeAnchors.h"
#include "FormsTestSupport.h"

#include <QtTest>

class ResizeAnchorsTest : public QObject {
    Q_OBJECT
private slots:
    void controlsFollowOnlyTheGrowthBeyondTheDesign() {
        QWidget parent;
        parent.resize(200, 100);
        auto* edit = new QWidget(&parent);
        edit->setGeometry(10, 10, 100, 20);
        auto* button = new QWidget(&parent);
        button->setGeometry(150, 10, 20, 20);
        auto* notes = new QWidget(&parent);
        notes->setGeometry(10, 40, 100, 50);
        auto* footer = new QWidget(&parent);
        footer->setGeometry(10, 92, 20, 6);
        auto* fixed = new QWidget(&parent);
        fixed->setGeometry(0, 0, 8, 8);

        CResizeAnchors anchors;
        anchors.Attach(&parent);
        QVERIFY(anchors.AddControl(edit, ANCHOR_SIZE_X));
        QVERIFY(anchors.AddControl(button, ANCHOR_MOVE_X));
        QVERIFY(anchors.AddControl(notes, ANCHOR_SIZE_X | ANCHOR_SIZE_Y));
        QVERIFY(anchors.AddControl(footer, ANCHOR_MOVE_Y));

        // Smaller than the design, then back to exactly the design: nothing moves.
        parent.resize(150, 80);
        anchors.Reposition();
        parent.resize(200, 100);
        anchors.Reposition();
        QCOMPARE(edit->geometry(), QRect(10, 10, 100, 20));
        QCOMPARE(button->geometry(), QRect(150, 10, 20, 20));
        QCOMPARE(notes->geometry(), QRect(10, 40, 100, 50));
        QCOMPARE(footer->geometry(), QRect(10, 92, 20, 6));

        // 40 wider and 30 higher than the design.
        parent.resize(240, 130);
        anchors.Reposition();
        QCOMPARE(edit->geometry(), QRect(10, 10, 140, 20));
        QCOMPARE(button->geometry(), QRect(190, 10, 20, 20));
        QCOMPARE(notes->geometry(), QRect(10, 40, 140, 80));
        QCOMPARE(footer->geometry(), QRect(10, 122, 20, 6));
        QCOMPARE(fixed->geometry(), QRect(0, 0, 8, 8));

        // From there to below the design: back to the design places, no further.
        parent.resize(120, 60);
        anchors.Reposition();
        QCOMPARE(edit->geometry(), QRect(10, 10, 100, 20));
        QCOMPARE(notes->geometry(), QRect(10, 40, 100, 50));

        // Growing from below the design counts only the part beyond it.
        parent.resize(210, 100);
        anchors.Reposition();
        QCOMPARE(edit->geometry(), QRect(10, 10, 110, 20));
        QCOMPARE(button->geometry(), QRect(160, 10, 20, 20));
    }

    void designSizeGivenAtAttachBringsControlsToTheCurrentSize() {
        QWidget parent;
        parent.resize(260, 100);
        auto* edit = new QWidget(&parent);
        edit->setGeometry(10, 10, 100, 20);
        CResizeAnchors anchors;
        anchors.Attach(&parent, QSize(200, 100));
        QVERIFY(anchors.AddControl(edit, ANCHOR_SIZE_X));
        anchors.Reposition();
        QCOMPARE(edit->geometry(), QRect(10, 10, 160, 20));
    }
};

KOLVANE_FORMS_TEST(ResizeAnchorsTest);

#include "ResizeAnchorsTest.moc"
