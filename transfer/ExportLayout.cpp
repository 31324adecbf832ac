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
// CR LF, or one blank under convCR. Runs without quotes or line breaks go in
// whole.
void AppendQuoted(std::string& line, std::string_view value, int convCR) {
    line += '"';
    for (size_t i = 0; i < value.size();) {
        const size_t stop = value.find_first_of("\"\r\n", i);
        line.append(value.substr(i, stop == std::string_view::npos ? stop : stop - i));
        if (stop == std::string_view::npos)
            break;
        i = stop + 1;
        const char ch = value[stop];
        if (ch == '"')
            line += "\"\"";
        else if (ch == '\n' || (ch == '\r' && i < value.size() && value[i] == '\n')) {
            if (ch == '\r')
                ++i;
            line += convCR ? " " : "\r\n";
        } else {
            line += ch;
        }
    }
    line += '"';
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

const CString* CExportLayout::FieldValue(const CAddrCard& card, int field) {
    static const CString kEmpty;
    switch (field) {
    case 0:
        return &card.m_strName;
    case 1:
        return &card.m_strFurigana;
    case 2:
        return &card.m_strTitle;
    case 3:
        return &card.m_strCompany;
    case 4:
        return &card.m_strZip;
    case 5:
        return &card.m_strAddress;
    case 14:
        return &card.m_strOther;
    case 15:
        return &card.m_strNotes;
    default:
        if (field >= EXPORT_FIRST_CONTACT && field < EXPORT_FIRST_CONTACT + EXPORT_CONTACTS) {
            const auto& entries = card.m_contacts.Entries();
            const auto index = static_cast<size_t>(field - EXPORT_FIRST_CONTACT);
            return index < entries.size() ? &entries[index].strText : &kEmpty;
        }
        return nullptr;
    }
}

void CExportLayout::AppendLine(const CAddrCard& card, std::string& line) const {
    bool first = true;
    for (const int field : m_fields) {
        const CString* value = FieldValue(card, field);
        if (!value)
            continue;
        if (!first)
            line += ',';
        first = false;
        AppendQuoted(line, value->view(), m_nConvCR);
    }
    line += "\r\n";
}

CString CExportLayout::MakeLine(const CAddrCard& card) const {
    std::string line;
    AppendLine(card, line);
    return CString(line);
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
