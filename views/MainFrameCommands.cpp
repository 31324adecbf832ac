// The main window's own commands: views, cards, contact methods, the postal
// code check, index buttons, duplicates, printing and the search box. Every
// way out of a card form stops when the form refuses to be written back.

#include "views/MainFrame.h"

#include "doc/PostalTable.h"
#include "doc/UpdateHints.h"
#include "model/ListFilters.h"
#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/AddrListView.h"
#include "views/CardForm.h"
#include "views/CommandIds.h"
#include "views/dialogs/ContactMethodDlg.h"
#include "views/dialogs/PostcodeCheckDlg.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QStatusBar>

#include <algorithm>

namespace {

constexpr UINT IDS_DELETE_CARD = 272;
constexpr UINT IDS_SEARCH_UNUSABLE = 275;

bool IsInBook(const CAddrBook& book, const CAddrCard* card) {
    return std::any_of(book.Cards().begin(), book.Cards().end(),
                       [card](const auto& c) { return c.get() == card; });
}

// Runs a handler before the watched object sees an event of the given kinds;
// the handler returns true to keep the event from it.
class EventHook : public QObject {
public:
    EventHook(QObject* parent, std::initializer_list<QEvent::Type> types,
              std::function<bool(const QEvent*)> handler)
        : QObject(parent), m_types(types), m_handler(std::move(handler)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        return std::find(m_types.begin(), m_types.end(), event->type()) != m_types.end() &&
               m_handler(event);
    }

private:
    std::vector<QEvent::Type> m_types;
    std::function<bool(const QEvent*)> m_handler;
};

} // namespace

void CMainFrame::ConnectCommands() {
    OnCommand(ID_VIEW_LIST, [this] { SwitchView(SLOT_LIST, TRUE); });
    OnCommand(ID_VIEW_CARD, [this] { OnViewCard(); });
    OnCommand(ID_VIEW_NEXT_CARD, [this] { MoveCard(true); });
    OnCommand(ID_VIEW_PREV_CARD, [this] { MoveCard(false); });
    OnCommand(ID_CARD_NEW, [this] { OnNewCard(); });
    OnCommand(ID_CARD_DELETE, [this] { OnDeleteCard(); });
    OnCommand(ID_CARD_JAPANESE, [this] { SwitchView(SLOT_JAPANESE, TRUE); });
    OnCommand(ID_CARD_ENGLISH, [this] { SwitchView(SLOT_ENGLISH, TRUE); });
    OnCommand(ID_CARD_DUPLICATES, [this] { OnDuplicates(); });
    OnCommand(ID_CARD_CONTACT_METHODS, [this] { OnContactMethods(); });
    OnCommand(ID_CARD_POSTCODE_CHECK, [this] { OnPostcodeCheck(); });
    OnCommand(ID_EDIT_FIND, [this] {
        m_pSearchBox->setFocus(Qt::ShortcutFocusReason);
        m_pSearchBox->selectAll();
    });
    OnCommand(ID_FILE_PRINT, [this] { m_pList->OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { m_pList->OnFilePrintPreview(); });
    OnCommand(ID_FILE_POSTCARDS, [this] { m_pList->OnFilePostcards(); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] { m_pList->OnFilePrintSetup(); });
    OnCommand(ID_FILE_PAGE_SETUP, [this] { m_pList->OnFilePageSetup(); });
    OnCommand(ID_FILE_EXPORT, [this] { m_pList->OnFileExport(); });
    OnCommand(ID_FILE_VCARD_EXPORT, [this] { m_pList->OnFileVCardExport(); });
    OnCommand(ID_EDIT_COPY_SETTINGS, [this] { m_pList->OnCopySettings(); });
    OnCommand(ID_APP_EXIT, [this] { close(); });
    for (int id = ID_INDEX_FIRST; id <= ID_INDEX_LAST; ++id)
        OnCommand(id, [this, id] { OnIndexButton(id); });

    connect(m_pSearchBox, &QLineEdit::textChanged, this, &CMainFrame::OnSearchChanged);
    // Focus entering the search box brings the list to the front first; a
    // refusing form keeps the focus in its field.
    m_pSearchBox->installEventFilter(new EventHook(this, {QEvent::FocusIn}, [this](const QEvent*) {
        if (!m_bSwitching && SwitchView(SLOT_LIST, TRUE))
            m_pSearchBox->setFocus();
        return false;
    }));
    // A click in the list makes its row's card current at once, so a showing
    // form is written back, and the list shown, before the list sees the
    // press; the rest of a click the form refused goes nowhere.
    m_pList->viewport()->installEventFilter(new EventHook(
        this, {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick},
        [this](const QEvent* event) {
            if (m_nActiveSlot == SLOT_LIST)
                return false;
            if (event->type() != QEvent::MouseButtonPress)
                return true;
            if (!CommitActiveView())
                return true;
            SwitchView(SLOT_LIST, FALSE);
            return false;
        }));
}

void CMainFrame::OnViewCard() {
    // A showing form is written back before another card may become current,
    // and is never committed into that other card afterwards.
    if (!CommitActiveView())
        return;
    if (!m_doc.GetCurrentCard())
        m_pList->SelectFirst();
    const CAddrCard* card = m_doc.GetCurrentCard();
    if (!card || (!card->IsEnglish() && !card->IsJapanese()))
        return;
    const int slot = card->IsEnglish() ? SLOT_ENGLISH : SLOT_JAPANESE;
    if (m_nActiveSlot == SLOT_LIST) {
        SwitchView(slot, TRUE);
        return;
    }
    SwitchView(slot, FALSE);
    ReloadActiveView();
}

void CMainFrame::MoveCard(bool next) {
    if (m_nActiveSlot == SLOT_LIST) {
        next ? m_pList->SelectNext() : m_pList->SelectPrevious();
        return;
    }
    if (!CommitActiveView())
        return;
    next ? m_pList->SelectNext() : m_pList->SelectPrevious();
    const CAddrCard* card = m_doc.GetCurrentCard();
    // With no card to show (a new card that was discarded, no row selected)
    // the list is the sound place to be.
    if (!card) {
        SwitchView(SLOT_LIST, FALSE);
        return;
    }
    SwitchView(card->IsEnglish() ? SLOT_ENGLISH : SLOT_JAPANESE, FALSE);
    ReloadActiveView();
}

void CMainFrame::OnNewCard() {
    if (!CommitActiveView())
        return;
    m_pList->DeselectAll();
    SwitchView(m_doc.Options().m_nNewCardLang == NOTATION_ENGLISH ? SLOT_ENGLISH : SLOT_JAPANESE,
               FALSE);
    ReloadActiveView();
}

void CMainFrame::OnDeleteCard() {
    if (AfxMessageBoxUtf8(LoadAppStringUtf8(IDS_DELETE_CARD), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (m_nActiveSlot == SLOT_LIST && m_pList->HasMultipleSelection()) {
        m_pList->DeleteSelected();
        return;
    }
    CAddrCard* card = m_doc.GetCurrentCard();
    if (!card)
        return;
    if (m_pList->GetRowCount() == 1) {
        if (!SwitchView(SLOT_LIST, TRUE))
            return;
        // The commit may have deleted an emptied card already.
        if (!IsInBook(m_doc.GetBook(), card)) {
            m_pList->DeselectAll();
            return;
        }
    }
    m_pList->SelectNext();
    // The next card shows in the form of its own notation: loading it into the
    // other form would rewrite its notation.
    if (const CAddrCard* next = m_doc.GetCurrentCard(); next && m_nActiveSlot != SLOT_LIST)
        SwitchView(next->IsEnglish() ? SLOT_ENGLISH : SLOT_JAPANESE, FALSE);
    ReloadActiveView();
    m_doc.UpdateAllViews(nullptr, HINT_CARD_DELETED, card);
    if (m_pList->GetRowCount() == 0)
        m_pList->DeselectAll();
    // A form must never go on showing the card that is gone.
    if (m_nActiveSlot != SLOT_LIST && !m_doc.GetCurrentCard())
        SwitchView(SLOT_LIST, FALSE);
}

void CMainFrame::OnContactMethods() {
    if (!RunContactMethodDlg(m_doc.GetBook(), this))
        return;
    m_doc.UpdateAllViews(nullptr, HINT_CONTACT_METHODS_CHANGED);
    m_doc.SetModifiedFlag();
}

void CMainFrame::OnPostcodeCheck() {
    // The check sees what a showing form holds.
    if (!CommitActiveView())
        return;
    CAddrCard* card = RunPostcodeCheckDlg(m_doc.GetBook(), BundledPostalTable(), this);
    if (!card)
        return;
    // The card opens from the list, as a double-click opens it; a card the
    // list does not show brings every card back into it.
    SwitchView(SLOT_LIST, FALSE);
    if (!m_pList->SelectCard(card)) {
        OnIndexButton(FILTER_ALL);
        m_pList->SelectCard(card);
    }
    OnViewCard();
}

void CMainFrame::OnIndexButton(int id) {
    if (!SwitchView(SLOT_LIST, TRUE))
        return;
    {
        const QSignalBlocker quiet(m_pSearchBox);
        m_pSearchBox->clear();
    }
    m_strSearch.clear();
    ShowSearchProblem({});
    m_pList->SetSearchText("");
    m_pList->SetFilter(id);
    m_pList->RebuildList();
    m_nCheckedFilter = id;
}

void CMainFrame::OnDuplicates() {
    if (!SwitchView(SLOT_LIST, TRUE))
        return;
    m_pList->SetSearchText("");
    m_pList->SetFilter(FILTER_DUPLICATES);
    m_pList->RebuildList();
    m_nCheckedFilter = FILTER_DUPLICATES;
}

void CMainFrame::OnSearchChanged(const QString& text) {
    if (!SwitchView(SLOT_LIST, TRUE)) {
        // The form stays, so the box goes back to what the list shows.
        const QSignalBlocker quiet(m_pSearchBox);
        m_pSearchBox->setText(m_strSearch);
        return;
    }
    m_strSearch = text;
    CString sjis;
    cp932::Error error;
    if (text.isEmpty()) {
        ShowSearchProblem({});
        m_pList->SetSearchText("");
        m_pList->SetFilter(FILTER_ALL);
        m_nCheckedFilter = FILTER_ALL;
    } else {
        if (qtext::ToSjis(text, sjis, &error)) {
            ShowSearchProblem({});
            m_pList->SetSearchText(sjis);
        } else {
            // No card can hold the character, so none matches; the text stays
            // in the box for the user to mend.
            QString problem = qtext::FromSjis(LoadAppString(IDS_SEARCH_UNUSABLE));
            problem.replace(QStringLiteral("%s"), QString::fromStdString(error.characterUtf8));
            ShowSearchProblem(problem);
            m_pList->SetSearchUnmatchable();
        }
        m_pList->SetFilter(FILTER_SEARCH);
        m_nCheckedFilter = FILTER_SEARCH;
    }
    m_pList->RebuildList();
    UpdateCommandUI();
}

void CMainFrame::ShowSearchProblem(const QString& problem) {
    QPalette p = m_pSearchBox->palette();
    p.setColor(QPalette::Text, problem.isEmpty() ? palette().color(QPalette::Text) : Qt::red);
    m_pSearchBox->setPalette(p);
    m_pSearchBox->setToolTip(problem);
    if (problem.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(problem);
}
