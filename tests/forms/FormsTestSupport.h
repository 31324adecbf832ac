#pragma once
// Test support for the card forms and dialogs: a document that answers the
// forms' hints as the card list does, a form of either notation on it, texts in
// Shift_JIS, screenshots, and acting on a modal dialog once it is open.

#include "doc/KolvaneDoc.h"
#include "platform/RecordingUserInteraction.h"
#include "views/forms/AddrCardForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

CString Sjis(const char* utf8);
std::string Utf8(const CString& sjis);
inline QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Installs a recording user-interaction service for the life of the object.
struct CScriptedUser {
    CScriptedUser() { AfxSetUserInteraction(&ui); }
    ~CScriptedUser() { AfxSetUserInteraction(nullptr); }
    RecordingUserInteraction ui;
};

// The program's document with a card-list stand-in that records every hint and,
// as the list does, makes a changed card current and marks the book modified.
class CTestDocument : public CKolvaneDoc, public IKolvaneView {
public:
    CTestDocument() { AddView(this); }
    ~CTestDocument() override { RemoveView(this); }
    CAddrCard* AddCard(int notation, const char* nameUtf8);
    void OnUpdate(IKolvaneView* sender, int hint, CAddrCard* card) override;
    std::vector<std::pair<int, CAddrCard*>> hints;
};

// A card form of either notation, set up and shown at its design size.
struct FormFixture {
    explicit FormFixture(int notation);
    // Loads the card as the main window does when it shows the form.
    void Show(CAddrCard* card);
    QLineEdit* Line(const char* name) const {
        return form->findChild<QLineEdit*>(QLatin1String(name));
    }
    QPlainTextEdit* Box(const char* name) const {
        return form->findChild<QPlainTextEdit*>(QLatin1String(name));
    }
    QStringList Captions() const;

    CScriptedUser user;
    CTestDocument doc;
    std::unique_ptr<CAddrCardForm> form;
};

// Types text key by key, any characters (QTest::keyClicks takes Latin-1 only).
void TypeText(QWidget* widget, const QString& text);
// Shows the window and makes it the active one, so that focus can be tested.
void ShowActive(QWidget* window);
// Saves the widget's picture under KOLVANE_SCREENSHOTS (else the working folder).
void SaveScreenshot(QWidget* widget, const QString& name);

// Runs action on the next modal dialog of type Dialog once it has opened.
void WhenModalOpens(const std::function<void(QWidget*)>& action, const char* className,
                    int tries = 500);
template <class Dialog> void WhenDialogOpens(const std::function<void(Dialog*)>& action) {
    WhenModalOpens([action](QWidget* w) { action(qobject_cast<Dialog*>(w)); },
                   Dialog::staticMetaObject.className());
}

// Test classes register themselves; the test program runs them all.
std::vector<std::function<std::unique_ptr<QObject>()>>& FormsTests();
#define KOLVANE_FORMS_TEST(Class)                                                                  \
    static const bool Class##Registered =                                                          \
        (FormsTests().push_back([] { return std::unique_ptr<QObject>(new Class); }), true)
