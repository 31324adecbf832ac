#pragma once
// A read-only card form: shows the current card's fields in one notation until
// the editing forms take its place. Showing a card sets its notation; committing
// announces the card when that changed it.

#include "model/AddrCard.h"
#include "views/CardForm.h"

#include <QWidget>

#include <vector>

class QLineEdit;
class QPlainTextEdit;

class CPlaceholderCardForm : public QWidget, public ICardForm {
    Q_OBJECT
public:
    CPlaceholderCardForm(int notation, CKolvaneDoc& doc, QWidget* parent);
    ~CPlaceholderCardForm() override;

    QWidget* Widget() override { return this; }
    int Notation() const override { return m_nNotation; }
    QSize DesignSize() const override;
    void SetupControls() override {}
    void LoadFromCard() override;
    BOOL SaveToCard() override;
    void OnUpdate(IKolvaneView* sender, int hint, CAddrCard* card) override;

private:
    struct Field {
        QWidget* widget;
        const CZkString CAddrCard::*member;
    };
    void AddField(const char* caption, const CZkString CAddrCard::*member, bool multiLine);
    QString ContactsText(const CAddrCard& card) const;

    int m_nNotation;
    CKolvaneDoc& m_doc;
    std::vector<Field> m_fields;
    QPlainTextEdit* m_pContacts;
    const CAddrCard* m_pShownCard = nullptr;
    bool m_bNotationChanged = false;
};
