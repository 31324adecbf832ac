#pragma once
// Column titles: a first record whose cells are the titles of import fields
// (in either notation) or the column titles of a program whose address book
// export the bundled import layouts read. Such a row spells a column map and
// is itself no card.

#include "platform/CString.h"

#include <optional>
#include <vector>

// One column of a program's CSV export: its title (UTF-8) and the import
// field it feeds, or IMPORT_NO_FIELD.
struct ColumnTitle {
    const char* title;
    int field;
};

// A bundled import layout (res/layouts/make_layouts.py writes its KVI with
// these fields in this order) and the titles of the file it reads.
struct TitledImportLayout {
    const char* name; // UTF-8, the layout's name
    std::vector<ColumnTitle> columns;
};

const std::vector<TitledImportLayout>& TitledImportLayouts();

struct ColumnTitleMap {
    std::vector<int> fields; // one per cell of the row: an import field or IMPORT_NO_FIELD
    CString layoutName;      // Shift_JIS: the bundled layout the row is the titles of, or empty
};

// The map the cells (Shift_JIS) spell when they are column titles, compared
// exactly after trimming blanks; a cell that is no title maps to no field.
// Nothing when the row looks like data.
std::optional<ColumnTitleMap> MapColumnTitles(const std::vector<CString>& cells);
