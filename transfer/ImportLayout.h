#pragma once
// The import layout: which of the 30 import fields each column of a CSV file
// feeds, stored as a KVI file in the folder IMPORTS, and the card a record of
// such a file becomes. The notation (Japanese or English) is chosen for each
// import and is not stored.

#include "layouts/Layout.h"
#include "model/AddrCard.h"
#include "model/ContactMethodTable.h"

#include <memory>
#include <span>
#include <string_view>
#include <vector>

enum : int {
    IMPORT_NO_FIELD = -1,
    IMPORT_FIELD_COUNT = 30,
};

// The commands of the field menus: "[無視]", then fields 0 to 29.
enum : UINT {
    ID_IMPORT_NO_FIELD = 32840,
    ID_IMPORT_FIRST_FIELD = 32841,
};

class CImportLayout : public CLayout {
public:
    int GetNotation() const { return m_nNotation; }
    void SetNotation(int notation) { m_nNotation = notation; }
    BOOL IsEnglish() const { return m_nNotation == NOTATION_ENGLISH; }

    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    const std::vector<int>& GetColumns() const { return m_columns; }
    // Every column's field is IMPORT_NO_FIELD afterwards.
    void SetColumnCount(int count);
    // IMPORT_NO_FIELD for a column past the count.
    int GetColumnField(int column) const;
    // A column past the count extends the map, so that a layout loaded from a
    // narrower file still takes the field; a number that is no import field
    // stores IMPORT_NO_FIELD.
    void SetColumnField(int column, int field);
    // A field menu's command; any other command stores IMPORT_NO_FIELD.
    void SetColumnFieldByCommand(int column, UINT command);
    // The title of the column's field in the current notation.
    CString GetColumnTitle(int column) const;

    // The card a record's texts (one per column) make in the current notation;
    // the phone and fax contacts take the methods of those names in methods.
    std::unique_ptr<CAddrCard> MakeCard(std::span<const std::string_view> texts,
                                        const CContactMethodTable& methods) const;

    DWORD GetVersion() const override { return 1; }
    const char* GetExtension() const override { return "KVI"; }
    const char* GetFolderName() const override { return "IMPORTS"; }

protected:
    std::optional<CFileError> ReadBody(CFile* file) override;
    void WriteBody(CFile* file) const override;

private:
    int m_nNotation = NOTATION_JAPANESE;
    std::vector<int> m_columns;
};
