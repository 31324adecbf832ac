#include "transfer/ExportLayout.h"

#include "res/AppStrings.h"
#include "transfer/FieldNumbers.h"

#include <cstdlib>

namespace {

// The names of fields 0 to 15 follow in order.
constexpr UINT IDS_EXPORT_FIELD_NAMES = 222;

BOOL IsExportField(int field) {
    return field >= 0 && field < EXPORT_FIELD_COUNT;
}

// A number of the settings as the C library's atoi reads it (leading blanks
// skipped, no number gives 0); one that is no export field reads as -1.
int ReadFieldNumber(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    return value >= 0 && value < EXPORT_FIELD_COUNT ? static_cast<int>(value) : -1;
}

// Appends a value between quotes, each quote doubled, each line break made
// CR LF, or one blank under convCR.
void AppendQuoted(CString& line, const CString& value, int convCR) {
    std::string piece = "\"";
    const std::string& bytes = value.str();
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char ch = bytes[i];
        if (ch == '"') {
            piece += "\"\"";
        } else if (ch == '\n' || (ch == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
            if (ch == '\r')
                ++i;
            piece += convCR ? " " : "\r\n";
        } else {
            piece += ch;
        }
    }
    piece += '"';
    line += piece.c_str();
}

} // namespace

void CExportLayout::SetFieldCount(int count) {
    m_fields.assign(static_cast<size_t>(count > 0 ? count : 0), -1);
}

void CExportLayout::SetField(int position, int field) {
    if (position >= 0 && position < GetFieldCount())
        m_fields[static_cast<size_t>(position)] = field;
}

CString CExportLayout::GetFieldName(int field) const {
    if (!IsExportField(field))
        return CString();
    return LoadAppString(IDS_EXPORT_FIELD_NAMES + static_cast<UINT>(field));
}

CString CExportLayout::GetFieldTitle(int position) const {
    if (position < 0 || position >= GetFieldCount())
        return CString();
    return GetFieldName(m_fields[static_cast<size_t>(position)]);
}

std::vector<CString> CExportLayout::CollectValues(const CAddrCard& card) const {
    std::vector<CString> values;
    for (const int field : m_fields) {
        switch (field) {
        case 0:
            values.push_back(card.m_strName);
            break;
        case 1:
            values.push_back(card.m_strFurigana);
            break;
        case 2:
            values.push_back(card.m_strTitle);
            break;
        case 3:
            values.push_back(card.m_strCompany);
            break;
        case 4:
            values.push_back(card.m_strZip);
            break;
        case 5:
            values.push_back(card.m_strAddress);
            break;
        case 14:
            values.push_back(card.m_strOther);
            break;
        case 15:
            values.push_back(card.m_strNotes);
            break;
        default:
            if (field >= EXPORT_FIRST_CONTACT && field < EXPORT_FIRST_CONTACT + EXPORT_CONTACTS) {
                int method = 0;
                CString text;
                card.m_contacts.GetAt(field - EXPORT_FIRST_CONTACT, method, text);
                values.push_back(text);
            }
            break;
        }
    }
    return values;
}

CString CExportLayout::MakeLine(const CAddrCard& card) const {
    CString line;
    bool first = true;
    for (const CString& value : CollectValues(card)) {
        if (!first)
            line += ',';
        first = false;
        AppendQuoted(line, value, m_nConvCR);
    }
    line += "\r\n";
    return line;
}

void CExportLayout::LoadSettings(const ISettingsStore& store, const char* section) {
    SetName(store.GetProfileString(section, "LayoutName", ""));
    m_nConvCR = store.GetProfileInt(section, "ConvCR", 1);
    const CString text = store.GetProfileString(section, "Fields", "");
    if (text.IsEmpty())
        return;
    std::vector<int> fields;
    int start = 0;
    for (;;) {
        const int comma = text.Find(',', start);
        const CString piece = comma < 0 ? text.Mid(start) : text.Mid(start, comma - start);
        fields.push_back(ReadFieldNumber(piece));
        if (comma < 0)
            break;
        start = comma + 1;
    }
    m_fields = std::move(fields);
}

void CExportLayout::SaveSettings(ISettingsStore& store, const char* section) const {
    store.WriteProfileString(section, "LayoutName", GetName());
    store.WriteProfileInt(section, "ConvCR", m_nConvCR);
    CString text;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        CString number;
        number.Format(i == 0 ? "%d" : ",%d", m_fields[i]);
        text += number;
    }
    store.WriteProfileString(section, "Fields", text);
}

std::optional<CFileError> CExportLayout::ReadBody(CFile* file) {
    m_fields = transferio::ReadFieldNumbers(file, 0, EXPORT_FIELD_COUNT - 1);
    return std::nullopt;
}

void CExportLayout::WriteBody(CFile* file) const {
    transferio::WriteFieldNumbers(file, m_fields);
}
