#include "transfer/ImportLayout.h"

#include "res/AppStrings.h"
#include "transfer/FieldNumbers.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

enum : int {
    F_FULL_NAME = 0,
    F_FIRST_NAME = 1,
    F_LAST_NAME = 2,
    F_MIDDLE_INITIAL = 3,
    F_READING = 4,
    F_FIRST_READING = 5,
    F_LAST_READING = 6,
    F_TITLE = 7,
    F_COMPANY = 8,
    F_FULL_ADDRESS = 9,
    F_STREET_1 = 10,
    F_STREET_2 = 11,
    F_STREET_6 = 15,
    F_CITY = 16,
    F_STATE = 17,
    F_ZIP = 18,
    F_COUNTRY = 19,
    F_PHONE = 20,
    F_FAX = 21,
    F_PHONE_1 = 22,
    F_PHONE_6 = 27,
    F_OTHER = 28,
    F_NOTES = 29,
};

// Titles of "no field" and fields 0 to 29 follow each base in order.
constexpr UINT IDS_ENGLISH_TITLES = 160;
constexpr UINT IDS_JAPANESE_TITLES = 191;
constexpr UINT IDS_PHONE_JAPANESE = 132;
constexpr UINT IDS_FAX_JAPANESE = 133;
constexpr UINT IDS_PHONE_ENGLISH = 138;
constexpr UINT IDS_FAX_ENGLISH = 139;

constexpr const char* kLineBreak = "\r\n";

BOOL IsImportField(int field) {
    return field >= 0 && field < IMPORT_FIELD_COUNT;
}

// Appends part, with separator before it when text already holds something;
// an empty part adds nothing.
void Join(CString& text, const CString& part, const char* separator) {
    if (part.IsEmpty())
        return;
    if (!text.IsEmpty())
        text += separator;
    text += part;
}

CString Trimmed(CString text) {
    text.Trim();
    return text;
}

} // namespace

void CImportLayout::SetColumnCount(int count) {
    m_columns.assign(static_cast<size_t>(count > 0 ? count : 0), IMPORT_NO_FIELD);
}

int CImportLayout::GetColumnField(int column) const {
    return column >= 0 && column < GetColumnCount() ? m_columns[static_cast<size_t>(column)]
                                                    : IMPORT_NO_FIELD;
}

void CImportLayout::SetColumnField(int column, int field) {
    if (column < 0)
        return;
    if (column >= GetColumnCount())
        m_columns.resize(static_cast<size_t>(column) + 1, IMPORT_NO_FIELD);
    m_columns[static_cast<size_t>(column)] = IsImportField(field) ? field : IMPORT_NO_FIELD;
}

void CImportLayout::SetColumnFieldByCommand(int column, UINT command) {
    const bool isField = command >= ID_IMPORT_FIRST_FIELD &&
                         command < ID_IMPORT_FIRST_FIELD + static_cast<UINT>(IMPORT_FIELD_COUNT);
    SetColumnField(column,
                   isField ? static_cast<int>(command - ID_IMPORT_FIRST_FIELD) : IMPORT_NO_FIELD);
}

CString CImportLayout::GetColumnTitle(int column) const {
    const UINT base = IsEnglish() ? IDS_ENGLISH_TITLES : IDS_JAPANESE_TITLES;
    return LoadAppString(base + static_cast<UINT>(GetColumnField(column) + 1));
}

std::unique_ptr<CAddrCard> CImportLayout::MakeCard(const std::vector<CString>& texts,
                                                   const CContactMethodTable& methods) const {
    // Each field's text, not copied: the last column of a field wins.
    static const CString kEmpty;
    std::array<const CString*, IMPORT_FIELD_COUNT> field;
    field.fill(&kEmpty);
    const size_t columns = std::min(m_columns.size(), texts.size());
    for (size_t i = 0; i < columns; ++i)
        if (IsImportField(m_columns[i]))
            field[static_cast<size_t>(m_columns[i])] = &texts[i];
    const auto f = [&field](size_t index) -> const CString& { return *field[index]; };

    const BOOL english = IsEnglish();
    auto card = std::make_unique<CAddrCard>();
    card->m_nNotation = english ? NOTATION_ENGLISH : NOTATION_JAPANESE;

    if (!english) {
        CString reading = f(F_READING);
        if (reading.IsEmpty()) {
            Join(reading, f(F_LAST_READING), " ");
            Join(reading, f(F_FIRST_READING), " ");
        }
        card->m_strFurigana = Trimmed(std::move(reading));
    }

    CString name = f(F_FULL_NAME);
    if (name.IsEmpty()) {
        const std::array<int, 3> englishOrder = {F_FIRST_NAME, F_MIDDLE_INITIAL, F_LAST_NAME};
        const std::array<int, 2> japaneseOrder = {F_LAST_NAME, F_FIRST_NAME};
        if (english)
            for (const int part : englishOrder)
                Join(name, f(static_cast<size_t>(part)), " ");
        else
            for (const int part : japaneseOrder)
                Join(name, f(static_cast<size_t>(part)), " ");
    }
    card->m_strName = Trimmed(std::move(name));
    card->m_strTitle = f(F_TITLE);
    card->m_strCompany = f(F_COMPANY);

    CString address = f(F_FULL_ADDRESS);
    if (address.IsEmpty()) {
        if (english) {
            Join(address, f(F_STREET_1), "");
            for (int street = F_STREET_2; street <= F_STREET_6; ++street)
                Join(address, f(static_cast<size_t>(street)), kLineBreak);
            Join(address, f(F_CITY), kLineBreak);
            Join(address, f(F_STATE), ", ");
            Join(address, f(F_ZIP), " ");
            Join(address, f(F_COUNTRY), kLineBreak);
        } else {
            address = f(F_STATE);
            address += f(F_CITY);
            address += f(F_STREET_1);
            for (int street = F_STREET_2; street <= F_STREET_6; ++street)
                Join(address, f(static_cast<size_t>(street)), kLineBreak);
        }
    }
    card->m_strAddress = Trimmed(std::move(address));
    if (!english)
        card->m_strZip = Trimmed(f(F_ZIP));
    card->m_strOther = f(F_OTHER);
    card->m_strNotes = f(F_NOTES);

    // The methods are looked up only for a card that has such a contact.
    const auto method = [&](UINT englishName, UINT japaneseName) {
        return english ? methods.FindByEnglish(LoadAppString(englishName))
                       : methods.FindByJapanese(LoadAppString(japaneseName));
    };
    int phone = -2;
    const auto addPhone = [&](const CString& text) {
        if (phone == -2)
            phone = method(IDS_PHONE_ENGLISH, IDS_PHONE_JAPANESE);
        card->m_contacts.Add(phone, text);
    };
    if (!f(F_PHONE).IsEmpty())
        addPhone(f(F_PHONE));
    if (!f(F_FAX).IsEmpty())
        card->m_contacts.Add(method(IDS_FAX_ENGLISH, IDS_FAX_JAPANESE), f(F_FAX));
    for (int number = F_PHONE_1; number <= F_PHONE_6; ++number)
        if (!f(static_cast<size_t>(number)).IsEmpty())
            addPhone(f(static_cast<size_t>(number)));
    return card;
}

std::optional<CFileError> CImportLayout::ReadBody(CFile* file) {
    m_columns = transferio::ReadFieldNumbers(file, IMPORT_NO_FIELD, IMPORT_FIELD_COUNT - 1);
    return std::nullopt;
}

void CImportLayout::WriteBody(CFile* file) const {
    transferio::WriteFieldNumbers(file, m_columns);
}
