#include "FormsTestSupport.h"

#include "doc/UpdateHints.h"
#include "platform/CodePage.h"
#include "views/JapaneseUi.h"
#include "views/controls/CaptionLabel.h"
#include "views/forms/AddrCardEnView.h"
#include "views/forms/AddrCardJaView.h"

#include <QDir>
#include <QtTest>

CString Sjis(const char* utf8) {
    CString out;
    if (!cp932::FromUtf8(utf8, out))
        qFatal("test text is not in code page 932: %s", utf8);
    return out;
}

std::string Utf8(const CString& sjis) {
    return cp932::ToUtf8Lossy(sjis.view());
}

CAddrCard* CTestDocument::AddCard(int notation, const char* nameUtf8) {
    auto* card = new CAddrCard;
    card->m_nNotation = notation;
    card->m_strName = Sjis(nameUtf8);
    GetBook().AddCard(card);
    return card;
}

void CTestDocument::OnUpdate(IKolvaneView*, int hint, CAddrCard* card) {
    hints.emplace_back(hint, card);
    if (hint == HINT_CARD_CHANGED) {
        SetCurrentCard(card);
        SetModifiedFlag(true);
    }
}

FormFixture::FormFixture(int notation) {
    form.reset(notation == NOTATION_ENGLISH ? static_cast<CAddrCardForm*>(new CAddrCardEnView(doc))
                                            : new CAddrCardJaView(doc));
    form->resize(form->DesignSize());
    form->SetupControls();
    ShowActive(form.get());
}

void FormFixture::Show(CAddrCard* card) {
    doc.SetCurrentCard(card);
    form->LoadFromCard();
}

QStringList FormFixture::Captions() const {
    QStringList captions;
    for (int i = 0; i < form->VisibleSlots(); ++i)
        captions << form->SlotCaption(i)->Text();
    return captions;
}

void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString key = text.mid(i, length);
        const Qt::Key code = key == QStringLiteral("\n") ? Qt::Key_Return : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, code, key, Qt::NoModifier);
        i += length - 1;
    }
}

void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void SaveScreenshot(QWidget* widget, const QString& name) {
    const QString dir = qEnvironmentVariable("KOLVANE_SCREENSHOTS", QDir::currentPath());
    QDir().mkpath(dir);
    widget->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void WhenModalOpens(const std::function<void(QWidget*)>& action, const char* className, int tries) {
    QTimer::singleShot(10, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->inherits(className) && modal->isVisible())
            action(modal);
        else if (tries > 0)
            WhenModalOpens(action, className, tries - 1);
        else if (modal)
            modal->close();
    });
}

std::vector<std::function<std::unique_ptr<QObject>()>>& FormsTests() {
    static std::vector<std::function<std::unique_ptr<QObject>()>> tests;
    return tests;
}

// Runs every registered test class with the Japanese font the program uses.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpJapaneseUi(app);
    int failures = 0;
    for (const auto& make : FormsTests())
        failures += QTest::qExec(make().get(), argc, argv);
    return failures == 0 ? 0 : 1;
}
