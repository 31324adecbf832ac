#include "FormsTestSupport.h"

#include "doc/UpdateHints.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>

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
    hints.push_back({hint, card});
    switch (hint) {
    case HINT_CARD_CHANGED:
        SetCurrentCard(card);
        SetModifiedFlag(true);
        break;
    case HINT_CARD_DELETED:
        if (GetCurrentCard() == card)
            SetCurrentCard(nullptr);
        GetBook().RemoveCard(card);
        SetModifiedFlag(true);
        break;
    case HINT_DESELECT_ALL:
        SetCurrentCard(nullptr);
        break;
    default:
        break;
    }
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
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the window did not become active");
}

QString SaveScreenshot(QWidget* widget, const QString& name) {
    const QString dir = qEnvironmentVariableIsSet("KOLVANE_SCREENSHOTS")
                            ? qEnvironmentVariable("KOLVANE_SCREENSHOTS")
                            : QDir::currentPath();
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    return path;
}

void WhenModalOpens(const std::function<bool(QWidget*)>& isIt,
                    const std::function<void(QWidget*)>& action) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, isIt, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && isIt(modal) && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (elapsed->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            qWarning("the expected dialog did not open");
            if (modal)
                modal->close();
        }
    });
    timer->start(10);
}

namespace {

std::vector<std::function<std::unique_ptr<QObject>()>>& Registry() {
    static std::vector<std::function<std::unique_ptr<QObject>()>> tests;
    return tests;
}

} // namespace

void RegisterFormsTest(std::function<std::unique_ptr<QObject>()> make) {
    Registry().push_back(std::move(make));
}

const std::vector<std::function<std::unique_ptr<QObject>()>>& FormsTests() {
    return Registry();
}
