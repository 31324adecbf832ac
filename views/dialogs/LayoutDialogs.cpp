#include "views/dialogs/LayoutDialogs.h"

#include "platform/QtText.h"
#include "platform/UserInteraction.h"
#include "res/AppStrings.h"
#include "zklib/dialogs/ZkEditTextDlg.h"

#include <QTreeWidget>

namespace {

constexpr UINT IDS_TEXT_FILES = 148; // then the CSV files' and all files' filters
constexpr UINT IDS_LAYOUT_NAME_TAKEN = 154;
constexpr UINT IDS_SAVE_LAYOUT_TITLE = 156;
constexpr UINT IDS_LAYOUT_NAME_PROMPT = 157;
constexpr int kMaxNameBytes = 128;

int SelectedRow(const QTreeWidget& list) {
    const QList<QTreeWidgetItem*> items = list.selectedItems();
    return items.isEmpty() ? -1 : list.indexOfTopLevelItem(items.front());
}

void SelectRow(QTreeWidget& list, int row) {
    list.setCurrentItem(list.topLevelItem(row));
}

} // namespace

bool AskAndRemoveLayout(CLayoutSet& set, int entry) {
    if (entry < 0 || AfxMessageBox(set.RemoveQuestion(entry), MB_ICONQUESTION | MB_YESNO) != IDYES)
        return false;
    if (const std::optional<CFileError> error = set.Remove(entry)) {
        error->Show();
        return false;
    }
    return true;
}

std::string CsvFileFilter() {
    std::string filter;
    for (UINT id = IDS_TEXT_FILES; id < IDS_TEXT_FILES + 3; ++id)
        filter += LoadAppStringUtf8(id);
    return filter + '|';
}

bool AskNewLayoutName(QWidget* parent, const CLayoutSet& set, CString& name) {
    CZkEditTextDlg ask(parent);
    ask.m_strTitle = LoadAppString(IDS_SAVE_LAYOUT_TITLE);
    ask.m_strPrompt = LoadAppString(IDS_LAYOUT_NAME_PROMPT);
    ask.m_nMinLength = 1;
    ask.m_nMaxLength = kMaxNameBytes;
    for (;;) {
        if (ask.DoModal() != QDialog::Accepted)
            return false;
        if (set.FindNoCase(ask.m_strText.GetString()) < 0)
            break;
        CString taken;
        taken.Format(LoadAppString(IDS_LAYOUT_NAME_TAKEN), ask.m_strText.GetString());
        AfxMessageBox(taken, MB_ICONEXCLAMATION);
    }
    name = ask.m_strText;
    return true;
}

QTreeWidget* MakeFieldList(QWidget* parent, const char* objectName, int columns) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(objectName));
    list->setColumnCount(columns);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    const int charWidth = list->fontMetrics().averageCharWidth();
    // The Japanese name stands at a tab stop of its own, as in the name table.
    if (columns > 1)
        list->setColumnWidth(0, charWidth * 12);
    list->setMinimumSize(charWidth * (columns > 1 ? 26 : 16), list->fontMetrics().height() * 17);
    return list;
}

QTreeWidgetItem* MakeFieldItem(const CString& name, int field) {
    const QStringList columns = qtext::FromSjis(name).split(QLatin1Char('\t'));
    auto* item = new QTreeWidgetItem(columns);
    item->setData(0, Qt::UserRole, field);
    return item;
}

void AddField(const QTreeWidget& all, QTreeWidget& fields) {
    const int from = SelectedRow(all);
    if (from < 0)
        return;
    const int after = SelectedRow(fields);
    const int row = after < 0 ? fields.topLevelItemCount() : after + 1;
    fields.insertTopLevelItem(row, all.topLevelItem(from)->clone());
    SelectRow(fields, row);
}

void RemoveField(QTreeWidget& fields) {
    const int row = SelectedRow(fields);
    if (row < 0)
        return;
    delete fields.takeTopLevelItem(row);
    fields.clearSelection();
    fields.setCurrentItem(nullptr);
}

void MoveField(QTreeWidget& fields, int step) {
    const int row = SelectedRow(fields);
    const int to = row + step;
    if (row < 0 || to < 0 || to >= fields.topLevelItemCount())
        return;
    fields.insertTopLevelItem(to, fields.takeTopLevelItem(row));
    SelectRow(fields, to);
}

std::vector<int> ListedFields(const QTreeWidget& fields) {
    std::vector<int> numbers;
    for (int row = 0; row < fields.topLevelItemCount(); ++row)
        numbers.push_back(fields.topLevelItem(row)->data(0, Qt::UserRole).toInt());
    return numbers;
}
