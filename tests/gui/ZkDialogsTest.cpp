// The library's dialogs and controls on real widgets.

#include "GuiTestSupport.h"

#include "zklib/dialogs/ZkAboutDlg.h"
#include "zklib/dialogs/ZkEditTextDlg.h"
#include "zklib/dialogs/ZkHyperLink.h"
#include "zklib/dialogs/ZkIconButton.h"
#include "zklib/dialogs/ZkStaticLink.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QUrl>

// Receives the addresses the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class ZkDialogsTest : public QObject {
    Q_OBJECT
private:
    RecordingUserInteraction ui;
    UrlCatcher catcher;

    void ClickOk(CZkEditTextDlg& dialog, const QString& text) {
        dialog.findChild<QLineEdit*>(QStringLiteral("text"))->setText(text);
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    }

private slots:
    void initTestCase() {
        AfxSetUserInteraction(&ui);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    }
    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        AfxSetUserInteraction(nullptr);
    }
    void cleanup() {
        QCOMPARE(Utf8(ui.Problems()), QString());
        ui.Clear();
        catcher.urls.clear();
    }

    void editTextDialogKeepsItsLengthLimitsInBytes() {
        CZkEditTextDlg dialog;
        dialog.m_strTitle = Sjis("ﾚｲｱｳﾄの保存");
        dialog.m_strPrompt = Sjis("ﾚｲｱｳﾄ名を入力してください。");
        dialog.m_strText = Sjis("旧名");
        dialog.m_nMinLength = 1;
        dialog.m_nMaxLength = 128;
        dialog.Prepare();
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ﾚｲｱｳﾄの保存"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("prompt"))->text(),
                 QStringLiteral("ﾚｲｱｳﾄ名を入力してください。"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("text"))->text(),
                 QStringLiteral("旧名"));

        ui.ExpectMessage("1 文字以上の文字列を入力してください。");
        ClickOk(dialog, QString());
        QVERIFY(dialog.isVisible());
        ui.ExpectMessage("128 文字以下の文字列を入力してください。");
        ClickOk(dialog, QString(129, QLatin1Char('a')));
        QVERIFY(dialog.isVisible());
        // A character code page 932 has not is named, and the text stays.
        ui.ExpectMessage("「é」は使えない文字です。別の文字に直してください。");
        ClickOk(dialog, QStringLiteral("Café"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("text"))->text(),
                 QStringLiteral("Café"));
        QCOMPARE(ui.messages.back().type, UINT(MB_OK | MB_ICONEXCLAMATION));
        // 64 double-byte characters are 128 bytes: exactly the maximum.
        ClickOk(dialog, QString(64, QChar(0x3042)));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_strText, Sjis(QString(64, QChar(0x3042)).toUtf8().constData()));
    }

    void hyperLinkNamesWhyATargetCouldNotBeOpened() {
        QCOMPARE(Utf8(CZkHyperLink::ErrorText("a/b", 99)),
                 QStringLiteral("ﾌｧｲﾙ 'a/b' が開けません:\n未知のｴﾗｰ: 99"));
        QTemporaryDir dir;
        const std::string page = dir.filePath(QStringLiteral("page.html")).toStdString();
        QCOMPARE(CZkHyperLink("").Navigate(), 0);
        QCOMPARE(CZkHyperLink(page.c_str()).Navigate(), 2);
        const std::string noFolder = dir.filePath(QStringLiteral("gone/page.html")).toStdString();
        QCOMPARE(CZkHyperLink(noFolder.c_str()).Navigate(), 3);
        ui.ExpectMessage("ﾌｧｲﾙ 'x.html' が開けません:\n指定されたﾌｧｲﾙが見つかりません。")
            .ExpectMessage("ﾌｧｲﾙ 'x' が開けません:\n"
                           "ｵﾍﾟﾚｰｼｮﾝを完了するためのﾒﾓﾘが不足しています。");
        CZkHyperLink::ReportError("x.html", 2);
        CZkHyperLink::ReportError("x", 0);
        QFile(QString::fromStdString(page)).open(QIODevice::WriteOnly);
        QVERIFY(CZkHyperLink(page.c_str()).Navigate() > 32);
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(page))});
        QCOMPARE(ui.messages.back().type, UINT(MB_OK | MB_ICONSTOP));
    }

    void staticLinkOpensItsOwnTextWithoutATargetAndTurnsPurple() {
        QTemporaryDir dir;
        const QString page = dir.filePath(QStringLiteral("help.html"));
        QFile(page).open(QIODevice::WriteOnly);
        CZkStaticLink link;
        link.setText(page);
        link.show();
        QCOMPARE(link.palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(link.font().underline());
        QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(page)});
        QVERIFY(link.IsVisited());
        QCOMPARE(link.palette().color(QPalette::WindowText), QColor(128, 0, 128));

        CZkStaticLink broken(dir.filePath(QStringLiteral("missing.html")).toUtf8().constData());
        broken.setText(QStringLiteral("missing"));
        broken.show();
        QTest::mouseClick(&broken, Qt::LeftButton);
        QVERIFY(!broken.IsVisited());
        QCOMPARE(broken.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }

    void iconButtonDrawsAFrameAndAShadow() {
        QPixmap picture(32, 32);
        picture.fill(Qt::yellow);
        CZkIconButton button{QIcon(picture)};
        button.SizeToContent();
        const QImage image = button.grab().toImage();
        const int side = image.width();
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(image.pixelColor(side - 2, side - 2), QColor(Qt::darkGray));
        QCOMPARE(image.pixelColor(side / 2, side / 2), QColor(Qt::yellow));
    }

    void aboutBoxShowsTheRightsInfoAndLink() {
        CZkAboutDlg about;
        about.m_strHolder = "Tavrin";
        about.m_strInfo = Sjis("住所録");
        about.m_strLinkTitle = Sjis("ﾍﾙﾌﾟ:");
        about.m_strLinkTarget = "https://example.invalid/";
        QStringList shown;
        for (int firstYear : {1999, 2003}) {
            about.m_nFirstYear = firstYear;
            about.m_nLastYear = 2003;
            about.Prepare();
            for (const char* name : {"aboutRights", "aboutInfo", "aboutLinkTitle", "aboutLink"})
                shown << about.findChild<QLabel*>(QLatin1String(name))->text();
        }
        QCOMPARE(
            shown.join(QLatin1Char('|')),
            QStringLiteral("Copyright (C) 1999-2003 Tavrin|住所録|ﾍﾙﾌﾟ:|https://example.invalid/|"
                           "Copyright (C) 2003 Tavrin|住所録|ﾍﾙﾌﾟ:|https://example.invalid/"));
    }
};

QTEST_MAIN(ZkDialogsTest)
#include "ZkDialogsTest.moc"
