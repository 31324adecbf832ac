// The eight contact slots of a card form: a clickable caption naming the
// contact method (which turns into a list of the book's methods), the contact
// text, and the separator line below.

#include "views/forms/AddrCardForm.h"

#include "res/AppStrings.h"
#include "views/controls/CaptionLabel.h"
#include "views/dialogs/DialogStrings.h"
#include "views/dialogs/SjisFieldGuard.h"
#include "views/dialogs/SjisText.h"
#include "views/forms/SlotMethodList.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

namespace {

// Methods 1 and 2 (telephone and fax) are offered in the first two empty slots.
constexpr int kFirstSlotMethod = 1;
constexpr int kSecondSlotMethod = 2;
constexpr int kSlotPitch = 16;

} // namespace

void CAddrCardForm::AddSlots(const SlotPlaces& places) {
    for (int i = 0; i < kSlotCount; ++i) {
        Slot& slot = m_slots[static_cast<size_t>(i)];
        const int y = places.firstCaptionY + kSlotPitch * i;
        const QString number = QString::number(i + 1);

        slot.caption = AddCaption("", "", {places.captionX, y, places.captionWidth, 8});
        slot.caption->setObjectName(QStringLiteral("slotCaption") + number);
        slot.caption->setCursor(Qt::PointingHandCursor);
        connect(slot.caption, &CCaptionLabel::clicked, this, [this, i] { OpenSlotList(i); });

        slot.list = new CSlotMethodList(this);
        slot.list->setObjectName(QStringLiteral("slotList") + number);
        const QRect listPlace = m_dlu.Rect(places.listX, y - 2, places.listWidth, 12);
        slot.list->setGeometry(listPlace.x(), listPlace.y(), listPlace.width(),
                               slot.list->sizeHint().height());
        slot.list->hide();
        connect(
            slot.list, &CSlotMethodList::closedUp, this, [this, i] { CloseSlotList(i); },
            Qt::QueuedConnection);

        slot.edit = new QLineEdit(this);
        slot.edit->setObjectName(QStringLiteral("slotEdit") + number);
        slot.edit->setGeometry(m_dlu.Rect(places.editX, y - 1, places.editWidth, 12));
        slot.edit->installEventFilter(this);

        slot.line = AddLine("", places.lineYs[static_cast<size_t>(i)]);
        slot.line->setObjectName(QStringLiteral("slotLine") + number);
    }
    for (Slot& slot : m_slots) {
        // Watched after creation so that the guard sees every slot the same way.
        m_pGuard->Watch(slot.edit);
    }

    m_pMoreContacts = new QLabel(this);
    m_pMoreContacts->setObjectName(QStringLiteral("moreContacts"));
    QPalette notice = m_pMoreContacts->palette();
    notice.setColor(QPalette::WindowText, QColor(0x9c, 0x27, 0x00));
    m_pMoreContacts->setPalette(notice);
    m_pMoreContacts->setGeometry(m_dlu.Rect(places.editX, 0, places.editWidth, 8));
    m_pMoreContacts->hide();
}

CString CAddrCardForm::MethodName(int id) const {
    CString japanese;
    CString english;
    m_doc.GetBook().m_methods.Get(id, japanese, english);
    return m_nNotation == NOTATION_ENGLISH ? english : japanese;
}

int CAddrCardForm::FindMethod(const char* name) const {
    const CContactMethodTable& methods = m_doc.GetBook().m_methods;
    return m_nNotation == NOTATION_ENGLISH ? methods.FindByEnglish(name)
                                           : methods.FindByJapanese(name);
}

void CAddrCardForm::LoadSlotCaptions() {
    const CAddrCard* card = m_pShownCard;
    const int n = card ? card->m_contacts.GetCount() : 0;
    for (int i = 0; i < kSlotCount; ++i) {
        const auto at = static_cast<size_t>(i);
        if (i < n) {
            CString text;
            card->m_contacts.GetAt(i, m_nSlotMethod[at], text);
            m_strSlotText[at] = text;
        } else {
            m_nSlotMethod[at] = kNoMethod;
            m_strSlotCaption[at].Empty();
            m_strSlotText[at].Empty();
        }
    }
    if (n == 0)
        m_nSlotMethod[0] = kFirstSlotMethod;
    if (n < 2)
        m_nSlotMethod[1] = kSecondSlotMethod;
    RefreshSlotCaptions();
    UpdateMoreContactsNotice();
}

void CAddrCardForm::RefreshSlotCaptions() {
    for (int i = 0; i < kSlotCount; ++i) {
        const auto at = static_cast<size_t>(i);
        // A slot whose method has gone shows a blank caption.
        if (m_nSlotMethod[at] != kNoMethod)
            m_strSlotCaption[at] = MethodName(m_nSlotMethod[at]);
    }
}

void CAddrCardForm::UpdateMoreContactsNotice() {
    if (m_extraContacts.empty()) {
        m_pMoreContacts->hide();
        m_pMoreContacts->setToolTip(QString());
        return;
    }
    const std::string format = LoadAppStringUtf8(IDS_MORE_CONTACTS);
    m_pMoreContacts->setText(QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size()))
                                 .arg(m_extraContacts.size()));
    QStringList lines;
    for (const AddrContact& contact : m_extraContacts) {
        const QString method = SjisToQString(MethodName(contact.nMethodId));
        lines << (method.isEmpty() ? QString() : method + QStringLiteral(": ")) +
                     SjisToQString(contact.strText);
    }
    m_pMoreContacts->setToolTip(lines.join(QLatin1Char('\n')));
}

void CAddrCardForm::LayoutSlots() {
    const int shown = m_nVisibleSlots;
    for (int i = 0; i < kSlotCount; ++i) {
        const Slot& slot = m_slots[static_cast<size_t>(i)];
        const bool visible = i < shown;
        slot.caption->setVisible(visible);
        slot.caption->update();
        slot.list->hide();
        slot.edit->setVisible(visible);
        slot.line->setVisible(visible);
    }
    m_pAddSlot->setEnabled(shown < kSlotCount);

    const int lineBottom = m_slots[static_cast<size_t>(shown - 1)].line->geometry().bottom() + 1;
    const int y0 = lineBottom + m_dlu.Y(8);
    // The notice of further entries takes the gap above the other box, so
    // that the notes box keeps its room.
    m_pMoreContacts->setGeometry(m_pMoreContacts->x(), lineBottom, m_pMoreContacts->width(),
                                 y0 - lineBottom);
    m_pMoreContacts->setVisible(!m_extraContacts.empty());

    // The other box keeps its design height below the slots; the notes box
    // takes the rest of the form, at least its design height. A form smaller
    // than that is scrolled by its window, never squeezed.
    const int gap = m_dlu.Y(8);
    const int bottom = std::max(height(), minimumSizeHint().height()) - gap;
    m_pOther->setGeometry(m_pOther->x(), y0, m_pOther->width(), m_nOtherHeight);
    m_pOtherCaption->move(m_pOtherCaption->x(), y0 + m_nOtherCaptionDrop);
    const int notesTop = y0 + m_nOtherHeight + gap;
    m_pNotesLine->move(m_pNotesLine->x(), y0 + m_nOtherHeight + m_dlu.Y(3));
    m_pNotesCaption->move(m_pNotesCaption->x(), notesTop + m_nNotesCaptionDrop);
    m_pNotes->setGeometry(m_pNotes->x(), notesTop, m_pNotes->width(), bottom - notesTop);
    updateGeometry();
}

int CAddrCardForm::HeightFor(int shown) const {
    const int lineBottom = m_slots[static_cast<size_t>(shown - 1)].line->geometry().bottom() + 1;
    const int gap = m_dlu.Y(8);
    return lineBottom + gap + m_nOtherHeight + gap + m_nNotesHeight + gap;
}

QSize CAddrCardForm::minimumSizeHint() const {
    return {DesignSize().width(), std::max(DesignSize().height(), HeightFor(m_nVisibleSlots))};
}

QSize CAddrCardForm::FullSize() const {
    return {DesignSize().width(), std::max(DesignSize().height(), HeightFor(kSlotCount))};
}

void CAddrCardForm::AddSlot() {
    if (m_nVisibleSlots >= kSlotCount)
        return;
    ++m_nVisibleSlots;
    LayoutSlots();
    m_slots[static_cast<size_t>(m_nVisibleSlots - 1)].edit->setFocus(Qt::OtherFocusReason);
}

void CAddrCardForm::OpenSlotList(int i) {
    if (i < 0 || i >= m_nVisibleSlots)
        return;
    const Slot& slot = m_slots[static_cast<size_t>(i)];
    const QString caption = slot.caption->Text();
    slot.caption->hide();

    CSlotMethodList* list = slot.list;
    list->clear();
    const CContactMethodTable& methods = m_doc.GetBook().m_methods;
    for (const ContactMethod& method : methods.Entries()) {
        const CString& name =
            m_nNotation == NOTATION_ENGLISH ? method.strEnglish : method.strJapanese;
        list->addItem(SjisToQString(name), method.nId);
    }

    // The slot's own method first; then the caption's text exactly; then the
    // first name that begins with it, searched from item 1 round to item 0.
    int select = -1;
    const int method = m_nSlotMethod[static_cast<size_t>(i)];
    if (method != kNoMethod && methods.IndexOf(method) >= 0)
        select = list->findData(method);
    if (select < 0)
        select = list->findText(caption, Qt::MatchExactly | Qt::MatchCaseSensitive);
    for (int k = 1; select < 0 && k <= list->count(); ++k) {
        const int item = k % list->count();
        if (list->itemText(item).startsWith(caption, Qt::CaseInsensitive))
            select = item;
    }
    list->setCurrentIndex(std::max(0, select));
    list->show();
    list->raise();
    list->setFocus(Qt::OtherFocusReason);
    list->showPopup();
}

void CAddrCardForm::CloseSlotList(int i) {
    Slot& slot = m_slots[static_cast<size_t>(i)];
    if (!slot.list->isVisible())
        return;
    const auto at = static_cast<size_t>(i);
    const int item = slot.list->currentIndex();
    if (item >= 0) {
        m_strSlotCaption[at] = MethodName(slot.list->itemData(item).toInt());
        // A name shared by several methods stands for the first of them.
        m_nSlotMethod[at] = FindMethod(m_strSlotCaption[at]);
    } else {
        m_strSlotCaption[at].Empty();
        m_nSlotMethod[at] = kNoMethod;
    }
    slot.list->hide();
    slot.caption->SetText(SjisToQString(m_strSlotCaption[at]));
    slot.caption->show();
    slot.edit->setFocus(Qt::OtherFocusReason);
}

int CAddrCardForm::ResolveSlotMethod(int i) const {
    // The slot's own method: the card's, or the one the user chose. One the
    // table no longer holds stays, so that viewing a card never changes it.
    const int method = m_nSlotMethod[static_cast<size_t>(i)];
    if (method != kNoMethod)
        return method;
    // A blank caption finds the blank method; a name no method has gives -1.
    return FindMethod(m_strSlotCaption[static_cast<size_t>(i)]);
}

void CAddrCardForm::SaveContacts(CAddrCard& card) const {
    CAddrContactList& contacts = card.m_contacts;
    contacts.RemoveAll();
    for (int i = 0; i < kSlotCount; ++i) {
        const CString& text = m_strSlotText[static_cast<size_t>(i)];
        if (!text.IsEmpty())
            contacts.Add(ResolveSlotMethod(i), text);
    }
    // Entries beyond the eight slots stay as they were, after the slots.
    if (&card == m_pShownCard)
        for (const AddrContact& contact : m_extraContacts)
            contacts.Add(contact.nMethodId, contact.strText);
}
