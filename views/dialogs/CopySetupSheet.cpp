#include "views/dialogs/CopySetupSheet.h"

#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "views/dialogs/LayoutDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr UINT IDS_ENGLISH = 261;
constexpr UINT IDS_JAPANESE = 262;
constexpr UINT IDS_COPY_FIELDS_EMPTY = 263;
constexpr UINT IDS_COPY_SETUP_TITLE = 264;

} // namespace

CCopySetupPage::CCopySetupPage(const CCopyLayout& layout, QWidget* parent)
    : QWidget(parent), m_layout(layout), m_pLayouts(new QComboBox(this)),
      m_pDelete(new QPushButton(QStringLiteral("削除(&D)"), this)),
      m_pAll(MakeFieldList(this, "allFields", 1)), m_pCopy(MakeFieldList(this, "copyFields", 1)) {
    m_pLayouts->setObjectName(QStringLiteral("layouts"));
    m_pLayouts->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int field = 0; field < EXPORT_FIELD_COUNT; ++field)
        if (const CString name = m_layout.GetFieldName(field); !name.IsEmpty())
            m_pAll->addTopLevelItem(MakeFieldItem(name, field));
    FillFields();

    const auto button = [this](const char* text, auto slot) {
        auto* push = new QPushButton(QString::fromUtf8(text), this);
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this, slot);
        return push;
    };
    const auto label = [this](const char* text, QWidget* buddy) {
        auto* caption = new QLabel(QString::fromUtf8(text), this);
        caption->setBuddy(buddy);
        return caption;
    };
    m_pDelete->setAutoDefault(false);
    connect(m_pDelete, &QPushButton::clicked, this, &CCopySetupPage::OnDelete);
    auto* group = new QGroupBox(QStringLiteral("ﾚｲｱｳﾄ"), this);
    auto* layoutRow = new QHBoxLayout(group);
    layoutRow->addWidget(m_pLayouts, 1);
    layoutRow->addWidget(button("保存(&S)...", [this] { OnSave(); }));
    layoutRow->addWidget(m_pDelete);

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(button("追加(&A) >>", [this] { AddField(*m_pAll, *m_pCopy); }));
    moves->addWidget(button("削除(&R)", [this] { RemoveField(*m_pCopy); }));
    moves->addSpacing(fontMetrics().height());
    moves->addWidget(button("上へ(&U)", [this] { MoveField(*m_pCopy, -1); }));
    moves->addWidget(button("下へ(&D)", [this] { MoveField(*m_pCopy, 1); }));
    moves->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(group, 0, 0, 1, 3);
    grid->addWidget(label("全項目(&F):", m_pAll), 1, 0);
    grid->addWidget(label("ｺﾋﾟｰする項目(&X)", m_pCopy), 1, 2);
    grid->addWidget(m_pAll, 2, 0);
    grid->addLayout(moves, 2, 1);
    grid->addWidget(m_pCopy, 2, 2);

    // Only files of the page's language are offered; files that cannot be read
    // are left out after their message.
    const int japanese = m_layout.GetJapaneseFlag() != 0 ? 1 : 0;
    std::vector<CFileError> errors;
    for (const CFileError& error : m_set.Build(m_layout, [&](const char* path) {
             std::optional<CFileError> unreadable;
             const bool take = CCopyLayout::ReadJapaneseFlag(path, &unreadable) == japanese;
             if (unreadable)
                 errors.push_back(std::move(*unreadable));
             return take;
         }))
        errors.push_back(error);
    for (const CFileError& error : errors)
        error.Show();
    const int found = m_set.FindNoCase(m_layout.GetName());
    FillLayouts(found >= 0 ? found : 0);
    connect(m_pLayouts, &QComboBox::activated, this, &CCopySetupPage::OnLayoutChosen);
}

void CCopySetupPage::FillFields() {
    // A number that is no field is not listed, so taking the values drops it.
    m_pCopy->clear();
    for (int position = 0; position < m_layout.GetFieldCount(); ++position)
        if (const CString title = m_layout.GetFieldTitle(position); !title.IsEmpty())
            m_pCopy->addTopLevelItem(MakeFieldItem(title, m_layout.GetFields()[position]));
}

void CCopySetupPage::FillLayouts(int select) {
    // The set is sorted as the box shows it: row and entry index agree.
    m_pLayouts->clear();
    for (const CLayoutSet::Entry& entry : m_set.Entries())
        m_pLayouts->addItem(qtext::FromSjis(entry.name));
    m_pLayouts->setCurrentIndex(select);
    m_pDelete->setEnabled(m_pLayouts->currentIndex() >= 0);
}

void CCopySetupPage::OnLayoutChosen(int index) {
    if (index < 0 || index >= m_set.GetCount())
        return;
    // A file that cannot be read leaves the layout as it was, after its message.
    if (const std::optional<CFileError> error = m_layout.Load(m_set.GetAt(index).path))
        error->Show();
    FillFields();
    m_pDelete->setEnabled(true);
}

bool CCopySetupPage::TakeValues() {
    std::vector<int> fields = ListedFields(*m_pCopy);
    if (fields.empty()) {
        AfxMessageBox(LoadAppString(IDS_COPY_FIELDS_EMPTY), MB_OK | MB_ICONEXCLAMATION);
        m_pCopy->setFocus(Qt::OtherFocusReason);
        return false;
    }
    m_layout.SetFields(std::move(fields));
    return true;
}

void CCopySetupPage::OnSave() {
    CString name;
    if (!TakeValues() || !AskNewLayoutName(this, m_set, name))
        return;
    CCopyLayout named = m_layout;
    named.SetName(name);
    int index = -1;
    if (const std::optional<CFileError> error = m_set.Add(named, &index)) {
        error->Show();
        return;
    }
    m_layout = named;
    FillLayouts(index);
}

void CCopySetupPage::OnDelete() {
    if (AskAndRemoveLayout(m_set, m_pLayouts->currentIndex()))
        FillLayouts(-1);
    m_pDelete->setEnabled(false);
}

CCopySetupSheet::CCopySetupSheet(const CCopyLayout& japanese, const CCopyLayout& english,
                                 QWidget* parent)
    : QDialog(parent), m_pJapanese(new CCopySetupPage(japanese, this)),
      m_pEnglish(new CCopySetupPage(english, this)), m_pTabs(new QTabWidget(this)) {
    setWindowTitle(qtext::FromSjis(LoadAppString(IDS_COPY_SETUP_TITLE)));
    setObjectName(QStringLiteral("copySetupSheet"));
    m_pTabs->addTab(m_pJapanese, qtext::FromSjis(LoadAppString(IDS_JAPANESE)));
    m_pTabs->addTab(m_pEnglish, qtext::FromSjis(LoadAppString(IDS_ENGLISH)));
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CCopySetupSheet::OnPageChanged);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(buttons);
}

void CCopySetupSheet::OnPageChanged(int index) {
    auto* left = static_cast<CCopySetupPage*>(m_pTabs->widget(m_nCurrentPage));
    if (index != m_nCurrentPage && !left->TakeValues()) {
        const QSignalBlocker block(m_pTabs);
        m_pTabs->setCurrentIndex(m_nCurrentPage);
        left->CopyFields().setFocus(Qt::OtherFocusReason);
        return;
    }
    m_nCurrentPage = index;
}

void CCopySetupSheet::accept() {
    // The page showing first; the other was checked when it was left.
    for (CCopySetupPage* page :
         {static_cast<CCopySetupPage*>(m_pTabs->currentWidget()),
          m_pTabs->currentWidget() == m_pJapanese ? m_pEnglish : m_pJapanese}) {
        if (!page->TakeValues()) {
            const QSignalBlocker block(m_pTabs);
            m_pTabs->setCurrentWidget(page);
            m_nCurrentPage = m_pTabs->currentIndex();
            page->CopyFields().setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    QDialog::accept();
}

bool RunCopySetupSheet(QWidget* parent, CCopyLayout& japanese, CCopyLayout& english) {
    CCopySetupSheet sheet(japanese, english, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    japanese = sheet.JapanesePage().Layout();
    english = sheet.EnglishPage().Layout();
    return true;
}
