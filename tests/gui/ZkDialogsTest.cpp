// The library's dialogs and controls on real widgets.

#include "GuiTestSupport.h"

#include "zklib/dialogs/ZkAboutDlg.h"
#include "zklib/dialogs/ZkEditTextDlg.h"
#include "zklib/dialogs/ZkHyperLink.h"
#include "zklib/dialogs/ZkStaticLink.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

private slots:
    void initTestCase() {
        AfxSetUserInteraction(&ui);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    }
    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        AfxSetUserInteraction(nullptr);
    }
    void cleanup() { QCOMPARE(Utf8(ui.Problems()), QString()); }

    void editTextDialogKeepsItsLengthLimitsInBytes() {
        CZkEditTextDlg dialog;
        dialog.m_strTitle = Sjis("ﾚｲｱｳﾄの保存");
        dialog.m_strPrompt = Sjis("ﾚｲｱｳﾄ名を入力してください。");
        dialog.m_strText = Sjis("旧名");
        dialog.m_nMinLength = 1;
        dialog.m_nMaxLength = 128;
        dialog.Prepare();
        dialog.show();
        QLineEdit* text = dialog.findChild<QLineEdit*>(QStringLiteral("text"));
        QCOMPARE(dialog.windowTitle() +
                     dialog.findChild<QLabel*>(QStringLiteral("prompt"))->text() + text->text(),
                 QStringLiteral("ﾚｲｱｳﾄの保存ﾚｲｱｳﾄ名を入力してください。旧名"));
        // Each refused text keeps the dialog open; a character code page 932
        // has not is named, and the text stays.
        const std::pair<QString, const char*> refused[]{
            {QString(), "1 ﾊﾞｲﾄ以上の文字列を入力してください。"},
            {QString(129, u'a'), "128 ﾊﾞｲﾄ以下の文字列を入力してください（全角文字は2ﾊﾞｲﾄです）。"},
            {QStringLiteral("Café"), "「é」は使えない文字です。別の文字に直してください。"}};
        const auto clickOk = [&](const QString& typed) {
            text->setText(typed);
            QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        };
        for (const auto& [typed, message] : refused) {
            ui.ExpectMessage(message);
            clickOk(typed);
            QVERIFY(dialog.isVisible());
            QCOMPARE(text->text(), typed);
            QCOMPARE(ui.messages.back().type, UINT(MB_OK | MB_ICONEXCLAMATION));
        }
        // 64 double-byte characters are 128 bytes: exactly the maximum.
        clickOk(QString(64, QChar(0x3042)));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_strText, Sjis(QString(64, QChar(0x3042)).toUtf8().constData()));
    }

    void linksAndTheAboutBox() {
        QCOMPARE(Utf8(CZkHyperLink::ErrorText("a/b", 99)),
                 QStringLiteral("ﾌｧｲﾙ 'a/b' が開けません:\n未知のｴﾗｰ: 99"));
        QTemporaryDir dir;
        const QString page = dir.filePath(QStringLiteral("page.html"));
        const std::string path = page.toStdString();
        QCOMPARE(CZkHyperLink("").Navigate(), 0);
        QCOMPARE(CZkHyperLink(path.c_str()).Navigate(), 2);
        const std::string noFolder = dir.filePath(QStringLiteral("gone/page.html")).toStdString();
        QCOMPARE(CZkHyperLink(noFolder.c_str()).Navigate(), 3);
        ui.ExpectMessage("ﾌｧｲﾙ 'x.html' が開けません:\n指定されたﾌｧｲﾙが見つかりません。")
            .ExpectMessage("ﾌｧｲﾙ 'x' が開けません:\n"
                           "ｵﾍﾟﾚｰｼｮﾝを完了するためのﾒﾓﾘが不足しています。");
        CZkHyperLink::ReportError("x.html", 2);
        CZkHyperLink::ReportError("x", 0);
        QCOMPARE(ui.messages.back().type, UINT(MB_OK | MB_ICONSTOP));
        // A link without a target opens its own text and turns purple once visited.
        CZkStaticLink broken(noFolder.c_str());
        broken.setText(QStringLiteral("gone"));
        broken.show();
        QTest::mouseClick(&broken, Qt::LeftButton);
        QVERIFY(!broken.IsVisited());
        QCOMPARE(broken.palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QFile(page).open(QIODevice::WriteOnly);
        QVERIFY(CZkHyperLink(path.c_str()).Navigate() > 32);
        CZkStaticLink link;
        link.setText(page);
        link.show();
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(catcher.urls, QList<QUrl>(2, QUrl::fromLocalFile(page)));
        QVERIFY(link.IsVisited());
        QCOMPARE(link.palette().color(QPalette::WindowText), QColor(128, 0, 128));
        // The about box names the years of the rights.
        CZkAboutDlg about;
        about.m_strHolder = "Tavrin";
        QStringList rights;
        for (int firstYear : {1999, 2003}) {
            about.m_nFirstYear = firstYear;
            about.m_nLastYear = 2003;
            about.Prepare();
            rights << about.findChild<QLabel*>(QStringLiteral("aboutRights"))->text();
        }
        QCOMPARE(rights.join(u'|'),
                 QStringLiteral("Copyright (C) 1999-2003 Tavrin|Copyright (C) 2003 Tavrin"));
    }
};

QTEST_MAIN(ZkDialogsTest)
#include "ZkDialogsTest.moc"
