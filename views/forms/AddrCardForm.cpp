#include "views/forms/AddrCardForm.h"

#include "doc/UpdateHints.h"
#include "views/controls/CaptionLabel.h"
#include "views/dialogs/SjisFieldGuard.h"
#include "views/dialogs/SjisText.h"
#include "views/forms/CardEquality.h"
#include "views/forms/SlotMethodList.h"

#include <QFrame>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

namespace {

// The forms are designed 240 by 315 dialog units.
constexpr int kDesignWidth = 240;
constexpr int kDesignHeight = 315;

} // namespace

CAddrCardForm::CAddrCardForm(int notation, CKolvaneDoc& doc, QWidget* parent)
    : QWidget(parent), m_nNotation(notation), m_doc(doc), m_dlu(font()) {
    setObjectName(notation == NOTATION_ENGLISH ? QStringLiteral("cardFormEnglish")
                                               : QStringLiteral("cardFormJapanese"));
    // The form paints in the window colour, as its edit boxes do.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    m_pGuard = new CSjisFieldGuard(this);
    m_nSlotMethod.fill(kNoMethod);
    m_doc.AddView(this);
}

CAddrCardForm::~CAddrCardForm() {
    m_doc.RemoveView(this);
}

QSize CAddrCardForm::DesignSize() const {
    return m_dlu.Size(kDesignWidth, kDesignHeight);
}

CCaptionLabel* CAddrCardForm::AddCaption(const char* name, const char* text, DluRect place) {
    auto* caption = new CCaptionLabel(QString::fromUtf8(text), this);
    caption->setObjectName(QString::fromLatin1(name));
    caption->setGeometry(m_dlu.Rect(place.x, place.y, place.w, place.h));
    m_captions.push_back(caption);
    return caption;
}

QLineEdit* CAddrCardForm::AddLineEdit(const char* name, DluRect place, CString& member,
                                      CZkString CAddrCard::*field) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(m_dlu.Rect(place.x, place.y, place.w, place.h));
    m_pGuard->Watch(edit);
    m_fields.push_back({edit, &member, field});
    return edit;
}

QPlainTextEdit* CAddrCardForm::AddTextBox(const char* name, DluRect place, bool scrollBar,
                                          CString& member, CZkString CAddrCard::*field) {
    auto* edit = new QPlainTextEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(m_dlu.Rect(place.x, place.y, place.w, place.h));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setTabChangesFocus(true);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    edit->installEventFilter(this);
    m_pGuard->Watch(edit);
    m_fields.push_back({edit, &member, field});
    return edit;
}

QFrame* CAddrCardForm::AddLine(const char* name, int y) {
    auto* line = new QFrame(this);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QRect r = m_dlu.Rect(2, y, 236, 1);
    r.setHeight(std::max(2, r.height()));
    line->setGeometry(r);
    return line;
}

void CAddrCardForm::AddOtherAndNotes(QPlainTextEdit* other, CCaptionLabel* otherCaption,
                                     QPlainTextEdit* notes, CCaptionLabel* notesCaption,
                                     QFrame* notesLine) {
    m_pOther = other;
    m_pOtherCaption = otherCaption;
    m_pNotes = notes;
    m_pNotesCaption = notesCaption;
    m_pNotesLine = notesLine;
    m_nOtherCaptionDrop = otherCaption->y() - other->y();
    m_nNotesCaptionDrop = notesCaption->y() - notes->y();
    m_nOtherHeight = other->height();
    m_nNotesHeight = notes->height();
}

QToolButton* CAddrCardForm::AddSlotButtonAt(DluRect place) {
    m_pAddSlot = new QToolButton(this);
    m_pAddSlot->setObjectName(QStringLiteral("addSlot"));
    m_pAddSlot->setText(QStringLiteral("+"));
    m_pAddSlot->setAutoRaise(true);
    QFont bold = m_pAddSlot->font();
    bold.setBold(true);
    m_pAddSlot->setFont(bold);
    m_pAddSlot->setToolTip(QStringLiteral("連絡先の欄を追加"));
    m_pAddSlot->setGeometry(m_dlu.Rect(place.x, place.y, place.w, place.h));
    connect(m_pAddSlot, &QToolButton::clicked, this, &CAddrCardForm::AddSlot);
    return m_pAddSlot;
}

void CAddrCardForm::Anchor(std::initializer_list<QWidget*> controls, UINT flags) {
    for (QWidget* control : controls)
        m_anchorPlan.emplace_back(control, flags);
}

void CAddrCardForm::AnchorCommonControls() {
    Anchor({m_pAddSlot}, ANCHOR_MOVE_X);
    for (const Slot& slot : m_slots)
        Anchor({slot.edit, slot.line}, ANCHOR_SIZE_X);
    // LayoutSlots places them down the form.
    Anchor({m_pOther, m_pNotesLine, m_pMoreContacts, m_pNotes}, ANCHOR_SIZE_X);
}

void CAddrCardForm::ChainTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
}

void CAddrCardForm::SetupControls() {
    if (m_bSetUp)
        return;
    m_bSetUp = true;
    const QColor window = palette().color(QPalette::Base);
    for (CCaptionLabel* caption : m_captions) {
        caption->SetBold(TRUE);
        caption->SetTextBackColor(window);
        caption->SetBackColor(window);
    }
    // The controls stand where the design puts them, whatever size the form
    // has been given already; Reposition brings them to it.
    m_anchors.Attach(this, DesignSize());
    for (const auto& [control, flags] : m_anchorPlan)
        m_anchors.AddControl(control, flags);
    m_anchors.Reposition();
    LayoutSlots();
}

void CAddrCardForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_anchors.Reposition();
    if (m_bSetUp)
        LayoutSlots();
}

bool CAddrCardForm::eventFilter(QObject* watched, QEvent* event) {
    // Page Up and Page Down move between cards even from a multi-line box,
    // as the main window's accelerators come before the box's own keys.
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<QPlainTextEdit*>(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) &&
            key->modifiers() == Qt::NoModifier) {
            event->ignore();
            return true;
        }
    }
    // F4 or Alt+Down in a slot's text opens the slot's method list, so that
    // the method can be chosen without the mouse.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool open = (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier) ||
                          (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier);
        for (int i = 0; open && i < kSlotCount; ++i) {
            if (watched == m_slots[static_cast<size_t>(i)].edit) {
                OpenSlotList(i);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

BOOL CAddrCardForm::UpdateData(BOOL bSaveAndValidate) {
    if (!bSaveAndValidate) {
        for (const Field& field : m_fields)
            m_pGuard->Show(field.edit, *field.member);
        for (int i = 0; i < kSlotCount; ++i) {
            const Slot& slot = m_slots[static_cast<size_t>(i)];
            slot.caption->SetText(SjisToQString(m_strSlotCaption[static_cast<size_t>(i)]));
            m_pGuard->Show(slot.edit, m_strSlotText[static_cast<size_t>(i)]);
        }
        return TRUE;
    }

    // Everything is taken before anything is stored, so that a refusal leaves
    // the members as they were.
    std::vector<CString> fieldTexts(m_fields.size());
    for (size_t f = 0; f < m_fields.size(); ++f)
        if (!m_pGuard->Take(m_fields[f].edit, fieldTexts[f]))
            return FALSE;
    std::array<CString, kSlotCount> slotTexts;
    for (size_t i = 0; i < kSlotCount; ++i)
        if (!m_pGuard->Take(m_slots[i].edit, slotTexts[i]))
            return FALSE;
    for (size_t f = 0; f < m_fields.size(); ++f)
        *m_fields[f].member = fieldTexts[f];
    m_strSlotText = slotTexts;
    return TRUE;
}

void CAddrCardForm::LoadFromCard() {
    CAddrCard* card = m_doc.GetCurrentCard();
    m_pShownCard = card;
    m_extraContacts.clear();
    if (card) {
        m_shownState = *card;
        card->m_nNotation = m_nNotation;
        for (Field& field : m_fields)
            *field.member = card->*field.cardField;
        const auto& entries = card->m_contacts.Entries();
        if (entries.size() > kSlotCount)
            m_extraContacts.assign(entries.begin() + kSlotCount, entries.end());
        const int n = card->m_contacts.GetCount();
        m_nVisibleSlots = std::clamp(n, 2, kSlotCount);
    } else {
        m_shownState.reset();
        for (Field& field : m_fields)
            field.member->Empty();
        m_nVisibleSlots = 2;
    }
    LoadSlotCaptions();
    LayoutSlots();
    UpdateData(FALSE);
    if (m_pFirstField)
        m_pFirstField->setFocus(Qt::OtherFocusReason);
}

BOOL CAddrCardForm::IsFormEmpty() const {
    for (const Field& field : m_fields)
        if (!field.member->IsEmpty())
            return FALSE;
    for (const CString& text : m_strSlotText)
        if (!text.IsEmpty())
            return FALSE;
    return TRUE;
}

void CAddrCardForm::CopyIntoCard(CAddrCard& card) const {
    card.m_nNotation = m_nNotation;
    for (const Field& field : m_fields)
        card.*field.cardField = *field.member;
}

BOOL CAddrCardForm::SaveToCard() {
    // Text still being composed by an input method belongs to the field.
    QGuiApplication::inputMethod()->commit();
    if (!UpdateData(TRUE))
        return FALSE;

    CAddrCard* card = m_doc.GetCurrentCard();
    if (!card) {
        // A new card is made only for something typed: an untouched empty
        // form leaves the book as it was.
        if (IsFormEmpty())
            return TRUE;
        card = new CAddrCard;
        m_doc.GetBook().AddCard(card);
        m_doc.SetCurrentCard(card);
    }
    const bool known = card == m_pShownCard && m_shownState.has_value();
    CopyIntoCard(*card);
    SaveContacts(*card);

    if (card->IsEmpty()) {
        m_pShownCard = nullptr;
        m_shownState.reset();
        m_extraContacts.clear();
        m_doc.UpdateAllViews(this, HINT_CARD_DELETED, card);
        m_doc.UpdateAllViews(this, HINT_DESELECT_ALL, nullptr);
        return TRUE;
    }

    // The list marks the document modified for every changed card; a commit
    // that changed nothing must not leave it so, or merely looking at cards
    // would make auto-save rotate the backups on every close.
    const bool changed = !known || !SameCard(*card, *m_shownState);
    const bool wasModified = m_doc.IsModified();
    m_doc.UpdateAllViews(this, HINT_CARD_CHANGED, card);
    if (!changed && !wasModified)
        m_doc.SetModifiedFlag(false);
    m_pShownCard = card;
    m_shownState = *card;
    return TRUE;
}

void CAddrCardForm::OnUpdate(IKolvaneView*, int hint, CAddrCard* card) {
    switch (hint) {
    case HINT_CONTACT_METHODS_CHANGED:
        // The captions follow the new names; what the user typed stays.
        RefreshSlotCaptions();
        for (int i = 0; i < kSlotCount; ++i)
            m_slots[static_cast<size_t>(i)].caption->SetText(
                SjisToQString(m_strSlotCaption[static_cast<size_t>(i)]));
        UpdateMoreContactsNotice();
        LayoutSlots();
        break;
    case HINT_CARD_DELETED:
        if (card && card == m_pShownCard) {
            m_pShownCard = nullptr;
            m_shownState.reset();
            m_extraContacts.clear();
        }
        break;
    default:
        break;
    }
}
