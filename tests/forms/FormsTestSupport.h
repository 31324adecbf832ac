#pragma once
// Test support for the card forms and dialogs: a document that hosts the forms
// and answers their hints as the card list does, texts in Shift_JIS, screenshots,
// and acting on a modal dialog once it is open.

#include "doc/KolvaneDoc.h"
#include "platform/RecordingUserInteraction.h"

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Shift_JIS of a UTF-8 literal (the platform's converter; it is not under test here).
CString Sjis(const char* utf8);
std::string Utf8(const CString& sjis);
inline QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The program's document with a card-list stand-in that reacts to hints as the
// list does: 100 marks the document modified and makes the card current, 101
// removes and destroys the card, 102 leaves no card current. Every hint that
// reaches the list is recorded.
class CTestDocument : public CKolvaneDoc, public IKolvaneView {
public:
    CTestDocument() { AddView(this); }
    ~CTestDocument() override { RemoveView(this); }

    // A card added to the book.
    CAddrCard* AddCard(int notation, const char* nameUtf8);
    void OnUpdate(IKolvaneView* sender, int hint, CAddrCard* card) override;

    struct Hint {
        int hint;
        CAddrCard* card;
    };
    std::vector<Hint> hints;
};

// Installs a recording user-interaction service for the life of the object.
class CScriptedUser {
public:
    CScriptedUser() { AfxSetUserInteraction(&ui); }
    ~CScriptedUser() { AfxSetUserInteraction(nullptr); }
    RecordingUserInteraction ui;
};

// Types text into the widget key by key, any characters (QTest::keyClicks
// takes Latin-1 only); a character beyond the BMP goes as one key.
void TypeText(QWidget* widget, const QString& text);

// Shows the window and makes it the active one, so that focus can be tested.
void ShowActive(QWidget* window);

// Saves the widget's picture under the screenshot folder (KOLVANE_SCREENSHOTS,
// else the working folder); returns the path.
QString SaveScreenshot(QWidget* widget, const QString& name);

// Runs action on the next modal dialog of type Dialog once it has opened.
void WhenModalOpens(const std::function<bool(QWidget*)>& isIt,
                    const std::function<void(QWidget*)>& action);
template <class Dialog> void WhenDialogOpens(const std::function<void(Dialog*)>& action) {
    WhenModalOpens([](QWidget* w) { return qobject_cast<Dialog*>(w) != nullptr; },
                   [action](QWidget* w) { action(qobject_cast<Dialog*>(w)); });
}

// Test classes register themselves; the test program runs them all.
void RegisterFormsTest(std::function<std::unique_ptr<QObject>()> make);
const std::vector<std::function<std::unique_ptr<QObject>()>>& FormsTests();
#define KOLVANE_FORMS_TEST(Class)                                                                  \
    static const bool Class##Registered =                                                          \
        (RegisterFormsTest([] { return std::unique_ptr<QObject>(new Class); }), true)
