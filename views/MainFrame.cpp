#include "views/MainFrame.h"

#include "model/ListFilters.h"
#include "platform/QtText.h"
#include "res/AppStrings.h"
#include "views/AddrListView.h"
#include "views/CardForm.h"
#include "views/CommandIcons.h"
#include "views/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolBar>

namespace {

constexpr UINT IDS_APP_NAME = 57344;
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

} // namespace

CMainFrame::CMainFrame(CKolvaneDoc& doc, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_pList(nullptr), m_pStack(new QStackedWidget(this)),
      m_nCheckedFilter(FILTER_ALL) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(ProgramIcon());
    m_pList = new CAddrListView(doc, m_pStack);
    m_pStack->addWidget(m_pList);
    setCentralWidget(m_pStack);

    CreateActions();
    CreateMenus();
    CreateBars();
    CreateStatusBar();
    RestoreBarStates();
    ConnectCommands();
    ConnectEditCommands();

    resize(kDefaultWidth, kDefaultHeight);
    RestoreWindowPos();

    m_doc.SetHost(this);
    connect(&m_doc, &CKolvaneDoc::stateChanged, this, [this] {
        UpdateTitle();
        UpdateCommandUI();
    });
    connect(m_pList, &CAddrListView::countChanged, this, &CMainFrame::UpdateCount);
    connect(m_pList, &CAddrListView::commandRequested, this, [this](int id) { RunCommand(id); });
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMainFrame::UpdateCommandUI);
    UpdateTitle();
    UpdateCount(0, 0);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    // The forms' fields lose the focus as they go, after the members they report to.
    disconnect(qApp, nullptr, this, nullptr);
    m_doc.SetHost(nullptr);
    m_doc.Options().SaveWindowPart();
}

ICardForm* CMainFrame::Form(int slot) const {
    return slot == SLOT_ENGLISH || slot == SLOT_JAPANESE
               ? m_forms[static_cast<size_t>(slot - 1)].get()
               : nullptr;
}

void CMainFrame::CreateCardForms() {
    m_forms[0] = CreateCardForm(NOTATION_ENGLISH, m_doc, m_pStack);
    m_forms[1] = CreateCardForm(NOTATION_JAPANESE, m_doc, m_pStack);
    QSize full;
    for (const auto& form : m_forms) {
        // A window smaller than the form scrolls it; a larger one stretches it.
        auto* scroll = new QScrollArea(m_pStack);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(form->Widget());
        m_pStack->addWidget(scroll);
        form->OnInitialUpdate();
        full = full.expandedTo(form->FullSize());
    }
    // The index bars must fit too, or their buttons would fold away.
    for (QToolBar* bar : m_bars)
        full.setWidth(std::max(full.width(), bar->sizeHint().width()));

    // The window starts with the views' area just the size of a form with
    // every slot showing. It may be made as low as its default height, where
    // the forms scroll, but never narrower than the forms and the bars.
    layout()->activate();
    const QSize fitted = size() + full - m_pStack->size();
    m_sizeMinTrack = QSize(fitted.width(), std::min(fitted.height(), kDefaultHeight))
                         .expandedTo(minimumSizeHint());
    setMinimumSize(m_sizeMinTrack);
    if (!m_bPosRestored)
        resize(fitted);
    for (const auto& form : m_forms)
        form->SetupControls();
}

BOOL CMainFrame::SwitchView(int slot, BOOL commit) {
    if (slot == m_nActiveSlot || (slot != SLOT_LIST && !Form(slot)))
        return TRUE;
    if (commit && !CommitActiveView())
        return FALSE;
    m_nActiveSlot = slot;
    {
        const QScopedValueRollback<bool> switching(m_bSwitching, true);
        m_pStack->setCurrentIndex(slot);
    }
    if (commit)
        ReloadActiveView();
    UpdateCommandUI();
    return TRUE;
}

BOOL CMainFrame::CommitActiveView() {
    ICardForm* form = Form(m_nActiveSlot);
    return !form || form->SaveToCard();
}

void CMainFrame::ReloadActiveView() {
    if (ICardForm* form = Form(m_nActiveSlot))
        form->LoadFromCard();
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::OnCommand(int id, std::function<void()> handler) {
    QAction* action = Action(id);
    if (!action)
        return;
    m_handled[id] = true;
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        handler();
        UpdateCommandUI();
    });
    UpdateCommandUI();
}

bool CMainFrame::RunCommand(int id) {
    UpdateCommandUI();
    QAction* action = Action(id);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

bool CMainFrame::IsEnabled(int id) const {
    if (!m_handled.count(id))
        return false;
    switch (id) {
    case ID_CARD_DELETE:
        return m_doc.GetCurrentCard() != nullptr;
    case ID_EDIT_UNDO:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
        return IsEditEnabled(id);
    case ID_FILE_EXPORT:
    case ID_FILE_VCARD_EXPORT:
    case ID_FILE_PAGE_SETUP:
    case ID_EDIT_COPY_SETTINGS:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_FILE_POSTCARDS:
        // Carried by the list, so only while it shows.
        return m_nActiveSlot == SLOT_LIST;
    default:
        return true;
    }
}

void CMainFrame::UpdateCommandUI() {
    for (const auto& [id, action] : m_actions)
        action->setEnabled(IsEnabled(id));
    Action(ID_VIEW_LIST)->setChecked(m_nActiveSlot == SLOT_LIST);
    Action(ID_VIEW_CARD)->setChecked(m_nActiveSlot != SLOT_LIST);
    Action(ID_CARD_JAPANESE)->setChecked(m_nActiveSlot == SLOT_JAPANESE);
    Action(ID_CARD_ENGLISH)->setChecked(m_nActiveSlot == SLOT_ENGLISH);
    Action(ID_CARD_DUPLICATES)->setChecked(m_nCheckedFilter == FILTER_DUPLICATES);
    for (int id = ID_INDEX_FIRST; id <= ID_INDEX_LAST; ++id)
        Action(id)->setChecked(id == m_nCheckedFilter);
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(m_doc.GetTitle() + QStringLiteral("[*] - ") +
                   qtext::FromSjis(LoadAppString(IDS_APP_NAME)));
    setWindowModified(m_doc.IsModified());
}

void CMainFrame::UpdateCount(int listed, int total) {
    m_pCount->setText(QString::asprintf("%d / %d", listed, total));
}

void CMainFrame::BringToFront() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}
