// The main window's actions, menus, bars and status bar.

#include "views/MainFrame.h"

#include "model/ListFilters.h"
#include "platform/QtText.h"
#include "res/AppStrings.h"
#include "views/CommandIcons.h"
#include "views/CommandIds.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr UINT IDS_READY = 57345;
constexpr UINT IDS_RECENT_FILES = 57616;

struct Command {
    int id;
    const char* caption;
    std::vector<QKeySequence> keys;
    bool checkable = false;
};

// Captions as the menus show them; where a command has several keys the first
// matching one in the accelerator table wins, so Ctrl+Insert copies.
const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {ID_FILE_NEW, "新規作成(&N)\tCtrl+N", {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {ID_FILE_OPEN, "開く(&O)...\tCtrl+O", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {ID_FILE_SAVE_AS, "名前を付けて保存(&A)...", {}},
        {ID_FILE_IMPORT, "ｲﾝﾎﾟｰﾄ(&I)...", {}},
        {ID_FILE_EXPORT, "ｴｸｽﾎﾟｰﾄ(&E)...", {}},
        {ID_FILE_VCARD_IMPORT, "vCard 読み込み...", {}},
        {ID_FILE_VCARD_EXPORT, "vCard 書き出し...", {}},
        {ID_FILE_PRINT_PREVIEW, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", {}},
        {ID_FILE_PRINT, "印刷(&P)...\tCtrl+P", {QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {ID_FILE_POSTCARDS, "はがき・封筒の宛名印刷...", {}},
        {ID_FILE_PAGE_SETUP, "ﾍﾟｰｼﾞ設定(&G)...", {}},
        {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)...", {}},
        {ID_APP_EXIT, "終了(&X)", {}},
        {ID_EDIT_UNDO,
         "元に戻す(&U)\tCtrl+Z",
         {QKeySequence(Qt::ALT | Qt::Key_Backspace), QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {ID_EDIT_CUT,
         "切り取り(&T)\tCtrl+X",
         {QKeySequence(Qt::SHIFT | Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {ID_EDIT_COPY,
         "ｺﾋﾟｰ(&C)\tCtrl+C",
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {ID_EDIT_COPY_SETTINGS, "ｺﾋﾟｰ設定(&S)...", {}},
        {ID_EDIT_PASTE,
         "貼り付け(&P)\tCtrl+V",
         {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {ID_EDIT_FIND, "検索文字列の入力(&F)\tAlt+Q", {QKeySequence(Qt::ALT | Qt::Key_Q)}},
        {ID_EDIT_OPTIONS, "ｵﾌﾟｼｮﾝ(&O)...", {}},
        {ID_CARD_NEW, "新規(&N)\tCtrl+Ins", {}},
        {ID_CARD_DELETE, "削除(&D)\tCtrl+Del", {QKeySequence(Qt::CTRL | Qt::Key_Delete)}},
        {ID_CARD_DUPLICATES, "重複検出(&P)", {}, true},
        {ID_CARD_POSTCODE_CHECK, "郵便番号と住所の確認(&Z)...", {}},
        {ID_CARD_JAPANESE, "日本語表記(&J)", {}, true},
        {ID_CARD_ENGLISH, "英語表記(&E)", {}, true},
        {ID_CARD_CONTACT_METHODS, "連絡方法の設定(&C)...", {}},
        {ID_VIEW_LIST, "一覧表示(&L)\tCtrl+L", {QKeySequence(Qt::CTRL | Qt::Key_L)}, true},
        {ID_VIEW_CARD, "ｶｰﾄﾞ表示(&C)\tCtrl+E", {QKeySequence(Qt::CTRL | Qt::Key_E)}, true},
        {ID_VIEW_NEXT_CARD, "次のｶｰﾄﾞ(&N)\tPgDn", {QKeySequence(Qt::Key_PageDown)}},
        {ID_VIEW_PREV_CARD, "前のｶｰﾄﾞ(&P)\tPgUp", {QKeySequence(Qt::Key_PageUp)}},
        {ID_HELP_FINDER, "ｵﾝﾗｲﾝﾍﾙﾌﾟの表示(&H)", {}},
        {ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", {}},
    };
    return commands;
}

// The status prompt and the tooltip of a command: its string, split at the line break.
std::pair<QString, QString> PromptAndTip(int id) {
    const QString text = qtext::FromSjis(LoadAppString(static_cast<UINT>(id)));
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    return lf < 0 ? std::pair{text, QString()} : std::pair{text.left(lf), text.mid(lf + 1)};
}

// The index bars show no tooltips.
class NoToolTips : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

} // namespace

QAction* CMainFrame::MakeAction(int id, const char* caption) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setData(id);
    const auto [prompt, tip] = PromptAndTip(id);
    action->setStatusTip(prompt);
    action->setToolTip(tip.isEmpty() ? prompt : tip);
    action->setIcon(CommandIcon(id));
    action->setShortcutContext(Qt::WindowShortcut);
    m_actions[id] = action;
    addAction(action);
    return action;
}

void CMainFrame::CreateActions() {
    for (const Command& c : Commands()) {
        QAction* action = MakeAction(c.id, c.caption);
        action->setShortcuts(QList<QKeySequence>(c.keys.begin(), c.keys.end()));
        action->setCheckable(c.checkable);
    }
    for (int id = ID_INDEX_FIRST; id <= ID_INDEX_LAST; ++id) {
        QAction* action = MakeAction(id, FilterFace(id));
        action->setCheckable(true);
    }
}

void CMainFrame::CreateMenus() {
    QMenuBar* bar = menuBar();
    const auto menu = [this, bar](const char* title, std::initializer_list<int> ids) {
        QMenu* m = bar->addMenu(QString::fromUtf8(title));
        for (int id : ids) {
            if (id == 0)
                m->addSeparator();
            else
                m->addAction(Action(id));
        }
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
        return m;
    };
    m_pFileMenu = menu("ﾌｧｲﾙ(&F)", {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0,
                                    ID_FILE_IMPORT, ID_FILE_EXPORT, ID_FILE_VCARD_IMPORT,
                                    ID_FILE_VCARD_EXPORT, 0, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT,
                                    ID_FILE_POSTCARDS, ID_FILE_PAGE_SETUP, ID_FILE_PRINT_SETUP, 0});
    m_pRecentAnchor = m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(Action(ID_APP_EXIT));
    ShowRecentFiles({});
    menu("編集(&E)", {ID_EDIT_UNDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_COPY_SETTINGS,
                      ID_EDIT_PASTE, 0, ID_EDIT_FIND, 0, ID_EDIT_OPTIONS});
    menu("ｶｰﾄﾞ(&C)", {ID_CARD_NEW, ID_CARD_DELETE, 0, ID_CARD_DUPLICATES, ID_CARD_POSTCODE_CHECK, 0,
                      ID_CARD_JAPANESE, ID_CARD_ENGLISH, 0, ID_CARD_CONTACT_METHODS});
    menu("表示(&V)", {ID_VIEW_LIST, ID_VIEW_CARD, 0, ID_VIEW_NEXT_CARD, ID_VIEW_PREV_CARD});
    menu("ﾍﾙﾌﾟ(&H)", {ID_HELP_FINDER, 0, ID_APP_ABOUT});
}

void CMainFrame::ShowRecentFiles(const std::vector<std::string>& paths) {
    for (QAction* action : m_recentActions) {
        m_actions.erase(action->data().toInt());
        m_handled.erase(action->data().toInt());
        delete action;
    }
    m_recentActions.clear();
    const QString prompt = qtext::FromSjis(LoadAppString(IDS_RECENT_FILES));
    if (paths.empty()) {
        auto* empty = new QAction(QStringLiteral("最近使ったﾌｧｲﾙ"), this);
        empty->setEnabled(false);
        empty->setData(ID_FILE_MRU_FIRST);
        m_pFileMenu->insertAction(m_pRecentAnchor, empty);
        m_recentActions.push_back(empty);
        return;
    }
    const QFontMetrics metrics(m_pFileMenu->font());
    for (size_t i = 0; i < paths.size() && ID_FILE_MRU_FIRST + int(i) <= ID_FILE_MRU_LAST; ++i) {
        const int id = ID_FILE_MRU_FIRST + static_cast<int>(i);
        QString shown = metrics.elidedText(qtext::FromPath(paths[i]), Qt::ElideMiddle, 400);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
        action->setObjectName(QStringLiteral("command%1").arg(id));
        action->setData(id);
        action->setStatusTip(prompt);
        m_pFileMenu->insertAction(m_pRecentAnchor, action);
        m_recentActions.push_back(action);
        m_actions[id] = action;
        m_handled[id] = true;
        connect(action, &QAction::triggered, this,
                [this, i] { emit recentFileChosen(static_cast<int>(i)); });
    }
}

QToolBar* CMainFrame::CreateIndexBar(const QString& name, int first, int last, int separatorAfter) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setIconSize(QSize(12, 12));
    auto* noTips = new NoToolTips(bar);
    for (int id = first; id <= last; ++id) {
        bar->addAction(Action(id));
        QWidget* button = bar->widgetForAction(Action(id));
        button->installEventFilter(noTips);
        button->setMinimumWidth(fontMetrics().height() + 6);
        if (id == separatorAfter)
            bar->addSeparator();
    }
    return bar;
}

void CMainFrame::CreateBars() {
    QToolBar* latin =
        CreateIndexBar(QStringLiteral("indexBarLatin"), FILTER_LETTER_A, FILTER_LETTER_Z, -1);
    latin->setWindowTitle(QStringLiteral("A-Z"));
    QToolBar* kana =
        CreateIndexBar(QStringLiteral("indexBarKana"), FILTER_KANA_A, FILTER_ALL, FILTER_KANA_WA);
    kana->setWindowTitle(QStringLiteral("あ-わ"));

    auto* search = new QToolBar(QStringLiteral("検索"), this);
    search->setObjectName(QStringLiteral("searchBar"));
    search->setMovable(false);
    search->setFloatable(false);
    auto* box = new QWidget(search);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(4, 0, 4, 0);
    auto* label = new QLabel(QStringLiteral("検索:"), box);
    m_pSearchBox = new QLineEdit(box);
    m_pSearchBox->setObjectName(QStringLiteral("searchBox"));
    m_pSearchBox->setMinimumWidth(160);
    m_pSearchBox->setClearButtonEnabled(true);
    label->setBuddy(m_pSearchBox);
    row->addWidget(label);
    row->addWidget(m_pSearchBox, 1);
    search->addWidget(box);

    auto* cards = new QToolBar(QStringLiteral("ｶｰﾄﾞ"), this);
    cards->setObjectName(QStringLiteral("cardBar"));
    cards->setMovable(false);
    cards->setFloatable(false);
    cards->setIconSize(QSize(16, 16));
    for (int id :
         std::initializer_list<int>{ID_CARD_NEW, ID_EDIT_COPY, ID_CARD_DELETE, 0, ID_VIEW_PREV_CARD,
                                    ID_VIEW_NEXT_CARD, 0, ID_CARD_JAPANESE, ID_CARD_ENGLISH}) {
        if (id == 0)
            cards->addSeparator();
        else
            cards->addAction(Action(id));
    }

    addToolBar(Qt::TopToolBarArea, latin);
    addToolBarBreak();
    addToolBar(Qt::TopToolBarArea, kana);
    addToolBarBreak();
    addToolBar(Qt::TopToolBarArea, search);
    addToolBar(Qt::TopToolBarArea, cards);
    m_bars = {latin, kana, search, cards};
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    auto* ready = new QLabel(qtext::FromSjis(LoadAppString(IDS_READY)), bar);
    ready->setObjectName(QStringLiteral("readyText"));
    bar->addWidget(ready, 1);
    m_pCount = new QLabel(bar);
    m_pCount->setObjectName(QStringLiteral("cardCount"));
    m_pCount->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000 / 000000")));
    m_pCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addPermanentWidget(m_pCount);
}
