#pragma once
// A card form: the view that shows the document's current card in one notation
// and writes its fields back when the main window commits it.

#include "doc/KolvaneView.h"
#include "platform/Types.h"

#include <QSize>

#include <memory>

class CKolvaneDoc;
class QWidget;

class ICardForm : public IKolvaneView {
public:
    virtual QWidget* Widget() = 0;
    // NOTATION_JAPANESE or NOTATION_ENGLISH.
    virtual int Notation() const = 0;
    // The size the form's controls are placed for.
    virtual QSize DesignSize() const = 0;
    // The size that shows every field with all eight contact slots; the main
    // window starts with room for it.
    virtual QSize FullSize() const = 0;
    // Once, after the main window has fitted itself to the forms.
    virtual void SetupControls() = 0;
    // Fills the form from the current card (none: empty fields).
    virtual void LoadFromCard() = 0;
    // Writes the form into the current card, creating one when there is none,
    // and announces the change to the other views. FALSE, with the card
    // untouched, when a field holds a character the file cannot hold; the user
    // has been told and that field has the focus.
    virtual BOOL SaveToCard() = 0;
};

// The form for the notation, a hidden child of parent, registered with doc.
std::unique_ptr<ICardForm> CreateCardForm(int notation, CKolvaneDoc& doc, QWidget* parent);
