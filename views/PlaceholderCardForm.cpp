#include "views/PlaceholderCardForm.h"

#include "app/KolvaneDoc.h"
#include "app/UpdateHints.h"
#include "zklib/dialogs/ZkQtText.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// The forms are designed 240 by 315 dialog units.
constexpr int kDesignWidthDlu = 240;
constexpr int kDesignHeightDlu = 315;

template <class Edit> void SetText(QWidget* widget, const QString& text) {
    static_cast<Edit*>(widget)->setPlainText(text);
}

} // namespace

CPlaceholderCardForm::CPlaceholderCardForm(int notation, CKolvaneDoc& doc, QWidget* parent)
    : QWidget(parent), m_nNotation(notation), m_doc(doc), m_pContacts(nullptr) {
    setObjectName(notation == NOTATION_ENGLISH ? QStringLiteral("cardFormEnglish")
                                               : QStringLiteral("cardFormJapanese"));
    auto* layout = new QFormLayout(this);
    layout->setLabelAlignment(Qt::AlignLeft);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    if (notation == NOTATION_ENGLISH) {
        AddField("Name", &CAddrCard::m_strName, false);
        AddField("Title", &CAddrCard::m_strTitle, false);
        AddField("Company", &CAddrCard::m_strCompany, false);
        AddField("Address", &CAddrCard::m_strAddress, true);
    } else {
        AddField("ふりがな", &CAddrCard::m_strFurigana, false);
        AddField("名前", &CAddrCard::m_strName, false);
        AddField("会社名", &CAddrCard::m_strCompany, false);
        AddField("部署", &CAddrCard::m_strTitle, false);
        AddField("郵便番号", &CAddrCard::m_strZip, false);
        AddField("住所", &CAddrCard::m_strAddress, true);
    }
    m_pContacts = new QPlainTextEdit(this);
    m_pContacts->setReadOnly(true);
    m_pContacts->setObjectName(QStringLiteral("contacts"));
    auto* contactsLabel = new QLabel(
        notation == NOTATION_ENGLISH ? QStringLiteral("Contacts") : QStringLiteral("連絡先"), this);
    QFont bold = contactsLabel->font();
    bold.setBold(true);
    contactsLabel->setFont(bold);
    layout->addRow(contactsLabel, m_pContacts);
    if (notation == NOTATION_ENGLISH) {
        AddField("Other", &CAddrCard::m_strOther, true);
        AddField("Notes", &CAddrCard::m_strNotes, true);
    } else {
        AddField("備考", &CAddrCard::m_strOther, true);
        AddField("ﾒﾓ", &CAddrCard::m_strNotes, true);
    }
    m_doc.AddView(this);
}

CPlaceholderCardForm::~CPlaceholderCardForm() {
    m_doc.RemoveView(this);
}

void CPlaceholderCardForm::AddField(const char* caption, const CZkString CAddrCard::*member,
                                    bool multiLine) {
    QWidget* edit;
    if (multiLine) {
        auto* text = new QPlainTextEdit(this);
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setFixedHeight(fontMetrics().height() * 3 + 10);
        edit = text;
    } else {
        auto* line = new QLineEdit(this);
        line->setReadOnly(true);
        edit = line;
    }
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    static_cast<QFormLayout*>(layout())->addRow(label, edit);
    m_fields.push_back({edit, member});
}

QSize CPlaceholderCardForm::DesignSize() const {
    const QFontMetrics metrics = fontMetrics();
    const int baseX = metrics.averageCharWidth();
    const int baseY = metrics.height();
    return {kDesignWidthDlu * baseX / 4, kDesignHeightDlu * baseY / 8};
}

QString CPlaceholderCardForm::ContactsText(const CAddrCard& card) const {
    QStringList lines;
    for (const auto& contact : card.m_contacts.Entries()) {
        CString japanese;
        CString english;
        m_doc.GetBook().m_methods.Get(contact.nMethodId, japanese, english);
        const CString& method = m_nNotation == NOTATION_ENGLISH ? english : japanese;
        lines << ZkQt_ToQString(method) + QStringLiteral(": ") + ZkQt_ToQString(contact.strText);
    }
    return lines.join(QLatin1Char('\n'));
}

void CPlaceholderCardForm::LoadFromCard() {
    CAddrCard* card = m_doc.GetCurrentCard();
    m_pShownCard = card;
    m_bNotationChanged = card && card->m_nNotation != m_nNotation;
    if (card)
        card->m_nNotation = m_nNotation;
    for (const Field& field : m_fields) {
        const QString text = card ? ZkQt_ToQString(card->*field.member) : QString();
        if (auto* line = qobject_cast<QLineEdit*>(field.widget))
            line->setText(text);
        else
            SetText<QPlainTextEdit>(field.widget, text);
    }
    m_pContacts->setPlainText(card ? ContactsText(*card) : QString());
}

BOOL CPlaceholderCardForm::SaveToCard() {
    // Nothing here can be edited: only a notation the showing changed is news.
    CAddrCard* card = m_doc.GetCurrentCard();
    if (card && card == m_pShownCard && m_bNotationChanged)
        m_doc.UpdateAllViews(this, HINT_CARD_CHANGED, card);
    m_bNotationChanged = false;
    return TRUE;
}

void CPlaceholderCardForm::OnUpdate(IKolvaneView*, int hint, CAddrCard*) {
    if (hint == HINT_CONTACT_METHODS_CHANGED)
        LoadFromCard();
}
