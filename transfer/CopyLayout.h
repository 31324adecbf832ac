#pragma once
// The copy layout: which card fields, one a line, make the text that copying
// cards puts on the clipboard beside the cards. The card list keeps one for
// Japanese and one for English cards; named ones are KVC files in the folder
// COPIES. The file holds the Japanese flag before the export layout's body.

#include "transfer/ExportLayout.h"

#include <string>

class CCopyLayout : public CExportLayout {
public:
    // Nonzero: the layout is for Japanese cards.
    int GetJapaneseFlag() const { return m_nJapanese; }
    void SetJapaneseFlag(int japanese) { m_nJapanese = japanese; }

    // The field's caption in the layout's language; "" for a number that is no
    // field and for the reading and postal code of an English layout.
    CString GetFieldName(int field) const override;
    // Postal code, address, company, title, name for Japanese cards; name,
    // title, company, address for English ones.
    void SetDefaultFields();

    // The card's field values one a line (CR LF between, none at the end);
    // empty values are left out, the others lose single-byte blanks at both
    // ends, so a value of blanks alone is an empty line.
    CString MakeCopyText(const CAddrCard& card) const;
    // MakeCopyText appended to text.
    void AppendCopyText(const CAddrCard& card, std::string& text) const;

    // The flag stored in the file, as 0 or 1 (any nonzero flag is Japanese);
    // -1 when the file cannot be read or is of a newer version, with the
    // reason in *error when given.
    static int ReadJapaneseFlag(const std::string& path,
                                std::optional<CFileError>* error = nullptr);

    // The card list's layout of that language from the section "CopierJa" or
    // "CopierEn"; the default fields when the section holds none.
    void LoadCopySettings(const ISettingsStore& store, bool japanese);
    void SaveCopySettings(ISettingsStore& store) const;

    DWORD GetVersion() const override { return 1; }
    const char* GetExtension() const override { return "KVC"; }
    const char* GetFolderName() const override { return "COPIES"; }

protected:
    std::optional<CFileError> ReadBody(CFile* file) override;
    void WriteBody(CFile* file) const override;

private:
    const char* Section() const;

    int m_nJapanese = 0;
};
