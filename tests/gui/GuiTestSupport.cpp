#include "GuiTestSupport.h"

#include "model/AddrBookFile.h"
#include "platform/CodePage.h"
#include "platform/QtText.h"
#include "views/AddrListView.h"
#include "views/CardListModel.h"
#include "views/MainFrame.h"

#include <QAbstractItemView>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <fstream>
#include <sstream>

CString Sjis(const char* utf8) {
    CString out;
    if (!cp932::FromUtf8(utf8, out))
        qFatal("not in code page 932: %s", utf8);
    return out;
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

CAddrCard* MakeCard(const CardFields& fields) {
    auto* card = new CAddrCard;
    card->m_nNotation = fields.notation;
    card->m_strFurigana = CZkString(Sjis(fields.furigana));
    card->m_strName = CZkString(Sjis(fields.name));
    card->m_strCompany = CZkString(Sjis(fields.company));
    if (*fields.contact)
        card->m_contacts.Add(1, Sjis(fields.contact));
    return card;
}

void WriteBook(const std::string& path, const std::vector<CardFields>& cards) {
    CAddrBook book;
    book.m_methods.SetDefaults();
    for (const CardFields& fields : cards)
        book.AddCard(MakeCard(fields));
    if (SaveAddrBook(path.c_str(), book))
        qFatal("cannot write %s", path.c_str());
}

void Click(QWidget& dialog, const char* text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == QString::fromUtf8(text))
            return button->click();
    QFAIL(text);
}

QString Shown(const QAbstractItemView& view) {
    QStringList rows;
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        const QString text = view.model()->index(row, 0).data().toString();
        rows << (view.selectionModel()->isRowSelected(row) ? u'[' + text + u']' : text);
    }
    return rows.join(u'|');
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<CardFields> SampleCards() {
    return {
        {0, "やまだ たろう", "山田 太郎", "山田商事", "03-1111-0001"},
        {0, "あおき ゆうこ", "青木 優子", "青葉商事", "03-1111-0002"},
        {1, "", "smith john", "Acme Corp.", "555-0100"},
        {0, "かっぱ", "河童 一郎", "", ""},
        {0, "がっこう", "学校 花子", "学園", "03-1111-0005"},
        {1, "", "Brown Anna", "Zeta Ltd.", ""},
    };
}

GuiSession::GuiSession() {
    AfxSetProfile(&settings);
    AfxSetUserInteraction(&ui);
}

GuiSession::~GuiSession() {
    m_app.reset();
    // A session that follows may have installed its own already.
    if (&AfxGetUserInteraction() == &ui)
        AfxSetUserInteraction(nullptr);
    if (&AfxGetProfile() == &settings)
        AfxSetProfile(nullptr);
}

std::string GuiSession::Path(const char* name) const {
    return dir.filePath(QString::fromUtf8(name)).toStdString();
}

BOOL GuiSession::Start(const QStringList& arguments, bool ctrlHeld, UINT guardId) {
    CKolvaneApp::Options options;
    options.guardId = guardId;
    options.isCtrlHeld = [ctrlHeld] { return ctrlHeld; };
    options.programDir = dir.path();
    m_app = std::make_unique<CKolvaneApp>(std::move(options));
    return m_app->InitInstance(arguments);
}

bool GuiSession::Close() {
    return Frame().close();
}

CMainFrame& GuiSession::Frame() const {
    return m_app->MainFrame();
}

CKolvaneDoc& GuiSession::Doc() const {
    return m_app->Document();
}

CAddrListView& GuiSession::List() const {
    return Frame().ListView();
}

QStringList GuiSession::Column(int column) const {
    QStringList texts;
    const QAbstractItemModel* model = List().model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

QString GuiSession::Count() const {
    return Frame().findChild<QLabel*>(QStringLiteral("cardCount"))->text();
}

QToolButton* GuiSession::ButtonOf(int commandId) const {
    QAction* action = Frame().Action(commandId);
    for (QToolBar* bar : Frame().findChildren<QToolBar*>())
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
            return button;
    return nullptr;
}

void GuiSession::ClickHeader(int column) const {
    QHeaderView* header = List().header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void GuiSession::SelectRows(std::initializer_list<int> rows) const {
    bool first = true;
    for (int row : rows) {
        const QRect r = List().visualRect(List().model()->index(row, 0));
        QTest::mouseClick(List().viewport(), Qt::LeftButton,
                          first ? Qt::KeyboardModifiers() : Qt::ControlModifier, r.center());
        first = false;
    }
}
