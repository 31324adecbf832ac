#pragma once
// What the dialogs that list layout files (page setup, import, export, copy)
// and the CSV file prompts share.

#include "layouts/LayoutSet.h"

#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// Asks the set's question about removing the entry (Yes/No) and removes its
// file; an error is shown. True when the entry is gone.
bool AskAndRemoveLayout(CLayoutSet& set, int entry);

// Asks for the name of a layout to save (strings 156 and 157, 1 to 128 bytes)
// until it is none of the set's names, upper and lower case alike, saying so
// (string 154) each time. False when the user cancels.
bool AskNewLayoutName(QWidget* parent, const CLayoutSet& set, CString& name);

// The lists of fields of the export layout editor and the copy settings pages:
// all fields on the left, the layout's fields on the right, each row holding a
// field number as item data. Names of two columns are split at their tab.
QTreeWidget* MakeFieldList(QWidget* parent, const char* objectName, int columns);
QTreeWidgetItem* MakeFieldItem(const CString& name, int field);
// The field chosen in all goes after the one chosen in fields, or at the end,
// and is chosen there; a field may be listed any number of times.
void AddField(const QTreeWidget& all, QTreeWidget& fields);
// Leaves nothing chosen.
void RemoveField(QTreeWidget& fields);
// One place up (step -1) or down (1), staying chosen; the ends stay put.
void MoveField(QTreeWidget& fields, int step);
std::vector<int> ListedFields(const QTreeWidget& fields);

// The filter of the import and export file prompts: text files, CSV files,
// all files.
std::string CsvFileFilter();
