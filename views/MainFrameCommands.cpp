// The main window's own commands: views, cards, index buttons, duplicates,
// printing and the search box.

#include "views/MainFrame.h"

#include "app/CommandIds.h"
#include "app/UpdateHints.h"
#include "model/ListFilters.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/AddrListView.h"
#include "views/CardForm.h"
#include "zklib/dialogs/ZkQtText.h"

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

// Focus entering the search box brings the list to the front first.
class SearchFocusWatcher : public QObject {
public:
    SearchFocusWatcher(QObject* parent, std::function<void()> onFocus)
        : QObject(parent), m_onFocus(std::move(onFocus)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            m_onFocus();
        return false;
    }

private:
    std::function<void()> m_onFocus;
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
    OnCommand(ID_EDIT_FIND, [this] {
        m_pSearchBox->setFocus(Qt::ShortcutFocusReason);
        m_pSearchBox->selectAll();
    });
    OnCommand(ID_FILE_PRINT, [this] { m_pList->OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { m_pList->OnFilePrintPreview(); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] { m_pList->OnFilePrintSetup(); });
    OnCommand(ID_FILE_PAGE_SETUP, [this] { m_pList->OnFilePageSetup(); });
    OnCommand(ID_APP_EXIT, [this] { close(); });
    for (int id = ID_INDEX_FIRST; id <= ID_INDEX_LAST; ++id)
        OnCommand(id, [this, id] { OnIndexButton(id); });

    connect(m_pSearchBox, &QLineEdit::textChanged, this, &CMainFrame::OnSearchChanged);
    m_pSearchBox->installEventFilter(new SearchFocusWatcher(this, [this] {
        SwitchView(SLOT_LIST, TRUE);
        m_pSearchBox->setFocus();
    }));
}

void CMainFrame::OnViewCard() {
    if (!m_doc.GetCurrentCard())
        m_pList->SelectFirst();
    const CAddrCard* card = m_doc.GetCurrentCard();
    if (!card)
        return;
    if (card->IsEnglish())
        SwitchView(SLOT_ENGLISH, TRUE);
    else if (card->IsJapanese())
        SwitchView(SLOT_JAPANESE, TRUE);
}

void CMainFrame::MoveCard(bool next) {
    if (m_nActiveSlot == SLOT_LIST) {
        next ? m_pList->SelectNext() : m_pList->SelectPrevious();
        return;
    }
    CommitActiveView();
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
    CommitActiveView();
    m_pList->DeselectAll();
    SwitchView(m_nNewCardLang == NOTATION_ENGLISH ? SLOT_ENGLISH : SLOT_JAPANESE, FALSE);
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
        SwitchView(SLOT_LIST, TRUE);
        // The commit may have deleted an emptied card already.
        if (!IsInBook(m_doc.GetBook(), card)) {
            m_pList->DeselectAll();
            return;
        }
    }
    m_pList->SelectNext();
    ReloadActiveView();
    m_doc.UpdateAllViews(nullptr, HINT_CARD_DELETED, card);
    if (m_pList->GetRowCount() == 0)
        m_pList->DeselectAll();
    // A form must never go on showing the card that is gone.
    if (m_nActiveSlot != SLOT_LIST && !m_doc.GetCurrentCard())
        SwitchView(SLOT_LIST, FALSE);
}

void CMainFrame::OnIndexButton(int id) {
    {
        const QSignalBlocker quiet(m_pSearchBox);
        m_pSearchBox->clear();
    }
    ShowSearchProblem({});
    SwitchView(SLOT_LIST, TRUE);
    m_pList->SetSearchText("");
    m_pList->SetFilter(id);
    m_pList->RebuildList();
    m_nCheckedFilter = id;
}

void CMainFrame::OnDuplicates() {
    SwitchView(SLOT_LIST, TRUE);
    m_pList->SetSearchText("");
    m_pList->SetFilter(FILTER_DUPLICATES);
    m_pList->RebuildList();
    m_nCheckedFilter = FILTER_DUPLICATES;
}

void CMainFrame::OnSearchChanged(const QString& text) {
    SwitchView(SLOT_LIST, TRUE);
    CString sjis;
    cp932::Error error;
    if (text.isEmpty()) {
        ShowSearchProblem({});
        m_pList->SetSearchText("");
        m_pList->SetFilter(FILTER_ALL);
        m_nCheckedFilter = FILTER_ALL;
    } else {
        if (ZkQt_ToSjis(text, sjis, &error)) {
            ShowSearchProblem({});
            m_pList->SetSearchText(sjis);
        } else {
            // No card can hold the character, so none matches; the text stays
            // in the box for the user to mend.
            QString problem = ZkQt_ToQString(LoadAppString(IDS_SEARCH_UNUSABLE));
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
