// The real message boxes and file prompts: titles, icons, buttons and answers.

#include "GuiTestSupport.h"

#include "app/DocumentType.h"
#include "app/QtUserInteraction.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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
    void messageBoxesHaveTheProgramsTitleIconAndButtons() {
        QStringList buttons;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        OnModal<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == QStringLiteral("いいえ(&N)"))
                    b->click();
        });
        QCOMPARE(ui.MessageBox("保存しますか?", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
        QCOMPARE(title, QStringLiteral("ｺﾙｳﾞｧﾈ"));
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(QSet<QString>(buttons.begin(), buttons.end()),
                 (QSet<QString>{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)"),
                                QStringLiteral("ｷｬﾝｾﾙ")}));

        // Escape answers Cancel; the default button is the one the type names.
        QString defaultButton;
        OnModal<QMessageBox>([&](QMessageBox* box) {
            defaultButton = box->defaultButton()->text();
            icon = box->icon();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(ui.MessageBox("x", MB_OKCANCEL | MB_ICONSTOP | MB_DEFBUTTON2), IDCANCEL);
        QCOMPARE(defaultButton, QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(icon, QMessageBox::Critical);
    }

    void filePromptsUseTheDocumentTypesFilterAndExtension() {
        QTemporaryDir dir;
        QStringList filters;
        QString title;
        OnModal<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            title = dialog->windowTitle();
            QLineEdit* name = dialog->findChild<QLineEdit*>();
            name->setText(QStringLiteral("book"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        FilePrompt prompt = DocumentFilePrompt("名前を付けて保存", false);
        prompt.initialPath = dir.filePath(QStringLiteral("x.kvd")).toStdString();
        const std::optional<std::string> chosen = ui.PromptFileName(prompt);
        QCOMPARE(title, QStringLiteral("名前を付けて保存"));
        QCOMPARE(filters, QStringList{QStringLiteral("住所録ﾌｧｲﾙ (*.kvd)")});
        QVERIFY(chosen);
        QCOMPARE(QString::fromStdString(*chosen), dir.filePath(QStringLiteral("book.kvd")));

        OnModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QVERIFY(!ui.PromptFileName(DocumentFilePrompt("開く", true)));
    }
};

QTEST_MAIN(QtUserInteractionTest)
#include "QtUserInteractionTest.moc"
