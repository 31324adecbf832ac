#pragma once
// A card form of either notation on a test document, set up and shown at its
// design size, as the main window sets it up.

#include "FormsTestSupport.h"
#include "views/controls/CaptionLabel.h"
#include "views/forms/AddrCardEnView.h"
#include "views/forms/AddrCardJaView.h"
#include "views/forms/SlotMethodList.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

struct FormFixture {
    explicit FormFixture(int notation) {
        if (notation == NOTATION_ENGLISH)
            form = std::make_unique<CAddrCardEnView>(doc);
        else
            form = std::make_unique<CAddrCardJaView>(doc);
        form->resize(form->DesignSize());
        form->SetupControls();
        ShowActive(form.get());
    }
    ~FormFixture() { form.reset(); }

    // Loads the card as the main window does when it shows the form.
    void Show(CAddrCard* card) {
        doc.SetCurrentCard(card);
        form->LoadFromCard();
    }
    QLineEdit* Line(const char* name) const {
        return form->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QPlainTextEdit* Box(const char* name) const {
        return form->findChild<QPlainTextEdit*>(QString::fromLatin1(name));
    }
    QStringList Captions() const {
        QStringList captions;
        for (int i = 0; i < form->VisibleSlots(); ++i)
            captions << form->SlotCaption(i)->Text();
        return captions;
    }

    CScriptedUser user;
    CTestDocument doc;
    std::unique_ptr<CAddrCardForm> form;
};
