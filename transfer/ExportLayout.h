#pragma once
// The export layout: which card fields, in which order, make one CSV line of a
// card, stored as a KVE file in the folder EXPORTS. Copy layouts build on it.

#include "layouts/Layout.h"
#include "model/AddrCard.h"
#include "platform/SettingsStore.h"

#include <string>
#include <vector>

// Export field numbers: name, reading, title, company, postal code, address,
// contact entries 1 to 8, other, notes.
enum : int {
    EXPORT_FIELD_COUNT = 16,
    EXPORT_FIRST_CONTACT = 6,
    EXPORT_CONTACTS = 8,
};

class CExportLayout : public CLayout {
public:
    int GetFieldCount() const { return static_cast<int>(m_fields.size()); }
    const std::vector<int>& GetFields() const { return m_fields; }
    // Every position holds -1 afterwards.
    void SetFieldCount(int count);
    // A position outside the count is ignored.
    void SetField(int position, int field);
    void SetFields(std::vector<int> fields) { m_fields = std::move(fields); }

    // Nonzero: a line break inside a value is written as one blank.
    int GetConvCR() const { return m_nConvCR; }
    void SetConvCR(int convCR) { m_nConvCR = convCR; }

    // The field's name, its Japanese and English caption with a tab between;
    // "" for a number that is no export field.
    virtual CString GetFieldName(int field) const;
    // GetFieldName of the field at position; "" past the count.
    CString GetFieldTitle(int position) const;

    // The card's CSV line as written to the file in binary: one value for each
    // position whose number is an export field, in order, every value quoted
    // with its quotes doubled, commas between, CR LF at the end. A line break
    // inside a value (CR LF or a lone LF) is written as CR LF, or as one blank
    // under ConvCR.
    CString MakeLine(const CAddrCard& card) const;
    // MakeLine appended to line.
    void AppendLine(const CAddrCard& card, std::string& line) const;

    // The keys "LayoutName", "ConvCR" and "Fields" of section; an empty or
    // missing "Fields" leaves the fields as they are.
    void LoadSettings(const ISettingsStore& store, const char* section);
    void SaveSettings(ISettingsStore& store, const char* section) const;

    DWORD GetVersion() const override { return 1; }
    const char* GetExtension() const override { return "KVE"; }
    const char* GetFolderName() const override { return "EXPORTS"; }

protected:
    std::optional<CFileError> ReadBody(CFile* file) override;
    void WriteBody(CFile* file) const override;

    // The card's text for an export field; nullptr for a number that is none.
    static const CString* FieldValue(const CAddrCard& card, int field);

private:
    std::vector<int> m_fields;
    int m_nConvCR = 1;
};
