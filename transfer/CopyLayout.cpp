#include "transfer/CopyLayout.h"

#include "layouts/LayoutIo.h"
#include "res/AppStrings.h"

namespace {

constexpr UINT IDS_NEWER_VERSION = 151;

// String ids of the captions of fields 0 to 15; 0 where the English layout has
// none (reading and postal code belong to Japanese cards).
constexpr UINT kJapaneseNames[EXPORT_FIELD_COUNT] = {
    251, 196, 199, 200, 210, 252, 253, 254, 255, 256, 257, 258, 259, 260, 220, 221,
};
constexpr UINT kEnglishNames[EXPORT_FIELD_COUNT] = {
    241, 0, 168, 169, 0, 242, 243, 244, 245, 246, 247, 248, 249, 250, 189, 190,
};

constexpr int kJapaneseDefaults[] = {4, 5, 3, 2, 0};
constexpr int kEnglishDefaults[] = {0, 2, 3, 5};

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Trail bytes of double-byte characters lie above the blanks, so cutting from
// the end never splits a character.
std::string_view TrimBlanks(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

} // namespace

CString CCopyLayout::GetFieldName(int field) const {
    if (field < 0 || field >= EXPORT_FIELD_COUNT)
        return CString();
    const UINT id = (m_nJapanese ? kJapaneseNames : kEnglishNames)[field];
    return id ? LoadAppString(id) : CString();
}

void CCopyLayout::SetDefaultFields() {
    const auto set = [this](const auto& fields) {
        SetFieldCount(static_cast<int>(std::size(fields)));
        for (size_t i = 0; i < std::size(fields); ++i)
            SetField(static_cast<int>(i), fields[i]);
    };
    if (m_nJapanese)
        set(kJapaneseDefaults);
    else
        set(kEnglishDefaults);
}

void CCopyLayout::AppendCopyText(const CAddrCard& card, std::string& text) const {
    bool first = true;
    for (const int field : GetFields()) {
        const CString* value = FieldValue(card, field);
        if (!value || value->IsEmpty())
            continue;
        if (!first)
            text += "\r\n";
        first = false;
        text += TrimBlanks(value->view());
    }
}

CString CCopyLayout::MakeCopyText(const CAddrCard& card) const {
    std::string text;
    AppendCopyText(card, text);
    return CString(text);
}

int CCopyLayout::ReadJapaneseFlag(const std::string& path, std::optional<CFileError>* error) {
    std::optional<CFileError> failure;
    int flag = -1;
    CFile file;
    CFileException opening;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary,
                   &opening)) {
        failure = CFileError::FromException(opening, MB_ICONSTOP);
    } else {
        try {
            if (layoutio::ReadDword(&file) > CCopyLayout().GetVersion()) {
                failure =
                    CFileError::FromMessage(IDS_NEWER_VERSION, AppStrings(), path, MB_ICONSTOP);
            } else {
                CString name;
                CZkString::ReadStored(&file, name);
                flag = layoutio::ReadLong(&file) != 0 ? 1 : 0;
            }
        } catch (const CFileException& e) {
            failure = CFileError::FromException(e, MB_ICONSTOP);
        }
    }
    if (error)
        *error = std::move(failure);
    return flag;
}

const char* CCopyLayout::Section() const {
    return m_nJapanese ? "CopierJa" : "CopierEn";
}

void CCopyLayout::LoadCopySettings(const ISettingsStore& store, bool japanese) {
    m_nJapanese = japanese ? 1 : 0;
    LoadSettings(store, Section());
    if (GetFieldCount() == 0)
        SetDefaultFields();
}

void CCopyLayout::SaveCopySettings(ISettingsStore& store) const {
    SaveSettings(store, Section());
}

std::optional<CFileError> CCopyLayout::ReadBody(CFile* file) {
    const LONG japanese = layoutio::ReadLong(file);
    if (auto error = CExportLayout::ReadBody(file))
        return error;
    m_nJapanese = japanese != 0 ? 1 : 0;
    return std::nullopt;
}

void CCopyLayout::WriteBody(CFile* file) const {
    layoutio::WriteLong(file, m_nJapanese);
    CExportLayout::WriteBody(file);
}
