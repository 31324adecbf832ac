#pragma once
// What the dialogs that list layout files (page setup, import, export) and the
// CSV file prompts share.

#include "layouts/LayoutSet.h"

#include <string>

// Asks the set's question about removing the entry (Yes/No) and removes its
// file; an error is shown. True when the entry is gone.
bool AskAndRemoveLayout(CLayoutSet& set, int entry);

// The filter of the import and export file prompts: text files, CSV files,
// all files.
std::string CsvFileFilter();
