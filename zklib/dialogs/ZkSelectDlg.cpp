#include "zklib/dialogs/ZkSelectDlg.h"

#include "platform/QtText.h"
#include "platform/StringTable.h"
#include "platform/UserInteraction.h"
#include "zklib/ZkStrings.h"
#include "zklib/dialogs/ZkDlg.h"

#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString Text(UINT id) {
    return QString::fromStdString(ZkLoadStringUtf8(id));
}

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(104));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

CZkChoiceDlg::CZkChoiceDlg(QWidget* parent)
    : QDialog(parent), m_pPrompt(new QLabel(this)), m_pButtons(OkCancel(this)) {
    m_pPrompt->setObjectName(QStringLiteral("prompt"));
    m_pPrompt->setTextFormat(Qt::PlainText);
}

void CZkChoiceDlg::Finish(QWidget* choices) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pPrompt);
    layout->addWidget(choices);
    layout->addWidget(m_pButtons);
    setMinimumWidth(280);
}

void CZkChoiceDlg::SetItem(const char* text, UINT value) {
    m_items.emplace_back(CString(text), value);
}

void CZkChoiceDlg::SetItem(UINT stringId, UINT value) {
    m_items.emplace_back(AfxLoadString(stringId), value);
}

std::vector<std::pair<CString, UINT>> CZkChoiceDlg::Sorted() const {
    std::vector<std::pair<CString, UINT>> items = m_items;
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return qtext::FromSjis(a.first).compare(qtext::FromSjis(b.first), Qt::CaseInsensitive) < 0;
    });
    return items;
}

void CZkChoiceDlg::Prepare() {
    setWindowTitle(qtext::FromSjis(m_strTitle));
    m_pPrompt->setText(qtext::FromSjis(m_strPrompt));
    m_shown.clear();
    for (const auto& item : Sorted())
        m_shown.push_back(item.second);
    Fill();
    UpdateOk();
}

int CZkChoiceDlg::DoModal() {
    Prepare();
    return exec();
}

void CZkChoiceDlg::UpdateOk() {
    m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(Current() >= 0);
}

void CZkChoiceDlg::accept() {
    const int index = Current();
    if (index < 0)
        return;
    m_nValue = m_shown[static_cast<size_t>(index)];
    QDialog::accept();
}

CZkListDlg::CZkListDlg(QWidget* parent) : CZkChoiceDlg(parent), m_pList(new QListWidget(this)) {
    m_pList->setObjectName(ZkDlg_ControlName(6003));
    connect(m_pList, &QListWidget::currentRowChanged, this, [this] { UpdateOk(); });
    connect(m_pList, &QListWidget::itemSelectionChanged, this, [this] { UpdateOk(); });
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    Finish(m_pList);
}

void CZkListDlg::Fill() {
    m_pList->clear();
    int chosen = -1;
    for (const auto& [text, value] : Sorted()) {
        auto* item = new QListWidgetItem(qtext::FromSjis(text), m_pList);
        item->setData(Qt::UserRole, value);
        if (chosen < 0 && value == m_nValue)
            chosen = m_pList->count() - 1;
    }
    m_pList->setCurrentRow(chosen);
}

int CZkListDlg::Current() const {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? -1 : m_pList->row(selected.front());
}

CZkDropListDlg::CZkDropListDlg(QWidget* parent)
    : CZkChoiceDlg(parent), m_pBox(new QComboBox(this)) {
    m_pBox->setObjectName(ZkDlg_ControlName(6004));
    connect(m_pBox, &QComboBox::currentIndexChanged, this, [this] { UpdateOk(); });
    Finish(m_pBox);
}

void CZkDropListDlg::Fill() {
    m_pBox->clear();
    int chosen = -1;
    for (const auto& [text, value] : Sorted()) {
        m_pBox->addItem(qtext::FromSjis(text), value);
        if (chosen < 0 && value == m_nValue)
            chosen = m_pBox->count() - 1;
    }
    m_pBox->setCurrentIndex(chosen);
}

int CZkDropListDlg::Current() const {
    return m_pBox->currentIndex();
}

BOOL CZkDirDialog::SelChanged(const char*, CString&) {
    return TRUE;
}

BOOL CZkDirDialog::DoBrowse(QWidget* parent) {
    std::string initial(m_strInitial.GetString());
    while (!initial.empty() && (initial.back() == ' ' || initial.back() == '\t'))
        initial.pop_back();
    if (initial.size() > 1 && (initial.back() == '/' || initial.back() == '\\'))
        initial.pop_back();

    QFileSystemModel model;
    model.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model.setReadOnly(true);
    const QString root = m_strRoot.IsEmpty() ? QDir::rootPath() : qtext::FromPath(m_strRoot.view());
    if (!QFileInfo(root).isDir())
        return FALSE;
    model.setRootPath(root);

    QDialog dialog(parent);
    dialog.setWindowTitle(m_strTitle.IsEmpty() ? QString() : qtext::FromSjis(m_strTitle));
    auto* prompt =
        new QLabel(m_strPrompt.IsEmpty() ? Text(106) : qtext::FromSjis(m_strPrompt), &dialog);
    prompt->setObjectName(QStringLiteral("prompt"));
    auto* tree = new QTreeView(&dialog);
    tree->setObjectName(QStringLiteral("folders"));
    tree->setModel(&model);
    tree->setRootIndex(model.index(root));
    for (int column = 1; column < model.columnCount(); ++column)
        tree->hideColumn(column);
    tree->header()->hide();
    auto* status = new QLabel(&dialog);
    status->setObjectName(QStringLiteral("status"));
    status->setVisible(m_bStatusText != FALSE);
    QDialogButtonBox* buttons = OkCancel(&dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(prompt);
    layout->addWidget(tree);
    layout->addWidget(status);
    layout->addWidget(buttons);
    dialog.resize(360, 420);

    QString chosen;
    QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, &dialog,
                     [&](const QModelIndex& current) {
                         chosen = model.filePath(current);
                         const std::string path = qtext::ToPath(chosen);
                         CString text;
                         ok->setEnabled(SelChanged(path.c_str(), text) != FALSE);
                         if (m_bStatusText)
                             status->setText(qtext::FromSjis(text));
                     });
    if (!initial.empty()) {
        const QModelIndex start = model.index(qtext::FromPath(initial));
        if (start.isValid()) {
            tree->setCurrentIndex(start);
            tree->scrollTo(start);
        }
    }
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    if (chosen.isEmpty())
        return FALSE;
    m_strPath = CString(qtext::ToPath(chosen).c_str());
    return TRUE;
}

int CZkIntComboBox::AddValue(int value) {
    int index = 0;
    while (index < count() && itemData(index).toInt() <= value)
        ++index;
    insertItem(index, QString::number(value), value);
    return index;
}

BOOL CZkIntComboBox::AddValues(const std::vector<int>& values) {
    for (int value : values)
        if (AddValue(value) < 0)
            return FALSE;
    return TRUE;
}

int CZkIntComboBox::FindValue(int start, int value) const {
    for (int i = std::max(start + 1, 0); i < count(); ++i)
        if (itemData(i).toInt() == value)
            return i;
    return -1;
}

int CZkIntComboBox::GetValue(int index) const {
    return itemData(index).toInt();
}

int CZkIntComboBox::GetAllValues(std::vector<int>& values) const {
    values.clear();
    for (int i = 0; i < count(); ++i)
        values.push_back(itemData(i).toInt());
    return count();
}

void CZkIntComboBox::DeleteValue(int index) {
    removeItem(index);
}

BOOL CZkCheckFrame::Set(QWidget* dialog, UINT frameId) {
    m_controls.clear();
    QWidget* frame = ZkDlg_GetItem(dialog, frameId);
    if (!frame) {
        AfxMessageBoxUtf8(ZkLoadStringUtf8(105));
        return FALSE;
    }
    const QRect area(frame->mapTo(dialog, QPoint(0, 0)), frame->size());
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        if (child == frame || child->isWindow())
            continue;
        const QRect r(child->mapTo(dialog, QPoint(0, 0)), child->size());
        if (area.contains(r))
            m_controls.push_back(child);
    }
    return TRUE;
}

void CZkCheckFrame::Enable(BOOL enable) {
    for (QWidget* control : m_controls)
        control->setEnabled(enable != FALSE);
}

CZkColorButton::CZkColorButton(QWidget* parent) : QAbstractButton(parent) {}

QSize CZkColorButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + 24, fontMetrics().height() + 12};
}

void CZkColorButton::SetColor(COLORREF color) {
    m_color = color;
    update();
}

int CZkColorButton::ShowDialog() {
    const std::optional<COLORREF> chosen = AfxGetUserInteraction().PromptColor(m_color);
    if (!chosen)
        return IDCANCEL;
    SetColor(*chosen);
    return IDOK;
}

void CZkColorButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect all = rect();
    if (!isEnabled()) {
        p.fillRect(all, QColor(194, 194, 194));
        p.setPen(QColor(127, 127, 127));
        p.drawRect(all.adjusted(0, 0, -1, -1));
        return;
    }
    p.fillRect(all, ToQColor(m_color));
    const QPalette& colors = palette();
    const QRect edge = all.adjusted(0, 0, -1, -1);
    if (isDown()) {
        p.setPen(Qt::black);
        p.drawRect(edge);
        p.setPen(colors.color(QPalette::Dark));
        p.drawRect(edge.adjusted(1, 1, -1, -1));
    } else {
        // Raised edges: light at the top left, shadow and black at the bottom right.
        p.setPen(colors.color(QPalette::Light));
        p.drawLine(edge.topLeft(), edge.topRight());
        p.drawLine(edge.topLeft(), edge.bottomLeft());
        p.setPen(Qt::black);
        p.drawLine(edge.bottomLeft(), edge.bottomRight());
        p.drawLine(edge.topRight(), edge.bottomRight());
        p.setPen(colors.color(QPalette::Dark));
        p.drawLine(edge.bottomLeft() + QPoint(1, -1), edge.bottomRight() + QPoint(-1, -1));
        p.drawLine(edge.topRight() + QPoint(-1, 1), edge.bottomRight() + QPoint(-1, -1));
    }
    p.setPen(QColor(255 - GetRValue(m_color), 255 - GetGValue(m_color), 255 - GetBValue(m_color)));
    p.drawText(all, Qt::AlignCenter | Qt::TextSingleLine, text());
}

CZkColorGradeButton::CZkColorGradeButton(QWidget* parent) : QAbstractButton(parent) {}

QSize CZkColorGradeButton::sizeHint() const {
    return {24, 64};
}

void CZkColorGradeButton::SetMinColor(COLORREF color) {
    m_min = color;
    update();
}

void CZkColorGradeButton::SetMaxColor(COLORREF color) {
    m_max = color;
    update();
}

void CZkColorGradeButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int h = height();
    const auto channel = [h](int top, int bottom, int row) {
        return h > 1 ? top + (bottom - top) * row / (h - 1) : top;
    };
    for (int row = 0; row < h - 1; ++row) {
        p.setPen(QColor(channel(GetRValue(m_max), GetRValue(m_min), row),
                        channel(GetGValue(m_max), GetGValue(m_min), row),
                        channel(GetBValue(m_max), GetBValue(m_min), row)));
        p.drawLine(0, row, width() - 1, row);
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

CZkExpandDialog::CZkExpandDialog(QWidget* parent) : QDialog(parent) {}

void CZkExpandDialog::SetControls(UINT toggle, UINT normalMarker, UINT expandedMarker) {
    m_nToggle = toggle;
    m_nNormal = normalMarker;
    m_nExpanded = expandedMarker;
    if (auto* button = qobject_cast<QAbstractButton*>(ZkDlg_GetItem(this, toggle)))
        connect(button, &QAbstractButton::clicked, this, [this] { SetExpanded(!m_bExpanded); });
}

void CZkExpandDialog::SetExpanded(BOOL expanded) {
    m_bExpanded = expanded;
    Apply();
}

void CZkExpandDialog::showEvent(QShowEvent* event) {
    Apply();
    QDialog::showEvent(event);
}

void CZkExpandDialog::Apply() {
    // Each marker spans the client area of its size from the dialog's top left.
    if (QWidget* marker = ZkDlg_GetItem(this, m_bExpanded ? m_nExpanded : m_nNormal))
        resize(marker->geometry().bottomRight().x() + 1, marker->geometry().bottomRight().y() + 1);
    if (auto* button = qobject_cast<QAbstractButton*>(ZkDlg_GetItem(this, m_nToggle)))
        button->setText(m_bExpanded ? QStringLiteral("<") : QStringLiteral(">"));
}
