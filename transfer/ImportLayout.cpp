#include "transfer/ImportLayout.h"

#include "res/AppStrings.h"
#include "transfer/FieldNumbers.h"

#include "platform/MbChar.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

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

constexpr std::string_view kLineBreak = "\r\n";

BOOL IsImportField(int field) {
    return field >= 0 && field < IMPORT_FIELD_COUNT;
}

// A text as a string holds it: up to its first zero byte. Texts are short and
// seldom hold one, so eight bytes are looked at together, the last eight of a
// longer text as one word too.
std::string_view UpToZero(std::string_view text) {
    constexpr uint64_t kOnes = 0x0101010101010101u, kTops = 0x8080808080808080u;
    const auto hasZero = [&text](size_t at) {
        uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        return ((word - kOnes) & ~word & kTops) != 0;
    };
    size_t i = 0;
    if (text.size() >= 8) {
        for (; i + 8 <= text.size(); i += 8)
            if (hasZero(i))
                break;
        if (i + 8 > text.size() && !hasZero(text.size() - 8))
            return text;
    }
    for (; i < text.size(); ++i)
        if (text[i] == '\0')
            return text.substr(0, i);
    return text;
}

// Appends part, with separator before it when text already holds something;
// an empty part adds nothing.
void Join(std::string& text, std::string_view part, std::string_view separator) {
    if (part.empty())
        return;
    if (!text.empty())
        text += separator;
    text += part;
}

bool IsTrimmedByte(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The text trimmed as CString::Trim trims: blank bytes in front, and whatever
// follows the last character that is double-byte or no blank.
std::string_view Trimmed(std::string_view text) {
    size_t from = 0;
    while (from < text.size() && IsTrimmedByte(text[from]))
        ++from;
    text.remove_prefix(from);
    if (text.empty() || !IsTrimmedByte(text.back()))
        return text;
    // The blank byte at the end may be the second byte of a character.
    size_t keep = 0;
    for (size_t pos = 0; pos < text.size();) {
        const size_t length =
            mb::IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
        if (length == 2 || !IsTrimmedByte(text[pos]))
            keep = pos + length;
        pos += length;
    }
    return text.substr(0, keep);
}

// Fills an empty text of a card, allocating once and writing each byte once.
void Assign(CZkString& target, std::string_view text) {
    if (!text.empty())
        target = CZkString(text.data(), static_cast<int>(text.size()));
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

std::unique_ptr<CAddrCard> CImportLayout::MakeCard(std::span<const std::string_view> texts,
                                                   const CContactMethodTable& methods) const {
    // Each field's text: the last column of a field wins.
    std::array<std::string_view, IMPORT_FIELD_COUNT> field{};
    const size_t columns = std::min(m_columns.size(), texts.size());
    for (size_t i = 0; i < columns; ++i)
        if (IsImportField(m_columns[i]))
            field[static_cast<size_t>(m_columns[i])] = UpToZero(texts[i]);
    const auto f = [&field](size_t index) { return field[index]; };

    const BOOL english = IsEnglish();
    // Every member has its own initializer: the zeroing of a value-initialized
    // card would be wasted.
    auto card = std::make_unique_for_overwrite<CAddrCard>();
    card->m_nNotation = english ? NOTATION_ENGLISH : NOTATION_JAPANESE;

    // Texts made of several fields are put together here first.
    std::string joined;
    if (!english) {
        std::string_view reading = f(F_READING);
        if (reading.empty()) {
            Join(joined, f(F_LAST_READING), " ");
            Join(joined, f(F_FIRST_READING), " ");
            reading = joined;
        }
        Assign(card->m_strFurigana, Trimmed(reading));
    }

    std::string_view name = f(F_FULL_NAME);
    if (name.empty()) {
        joined.clear();
        const std::array<int, 3> englishOrder = {F_FIRST_NAME, F_MIDDLE_INITIAL, F_LAST_NAME};
        const std::array<int, 2> japaneseOrder = {F_LAST_NAME, F_FIRST_NAME};
        if (english)
            for (const int part : englishOrder)
                Join(joined, f(static_cast<size_t>(part)), " ");
        else
            for (const int part : japaneseOrder)
                Join(joined, f(static_cast<size_t>(part)), " ");
        name = joined;
    }
    Assign(card->m_strName, Trimmed(name));
    Assign(card->m_strTitle, f(F_TITLE));
    Assign(card->m_strCompany, f(F_COMPANY));

    std::string_view address = f(F_FULL_ADDRESS);
    if (address.empty()) {
        joined.clear();
        if (english) {
            Join(joined, f(F_STREET_1), "");
            for (int street = F_STREET_2; street <= F_STREET_6; ++street)
                Join(joined, f(static_cast<size_t>(street)), kLineBreak);
            Join(joined, f(F_CITY), kLineBreak);
            Join(joined, f(F_STATE), ", ");
            Join(joined, f(F_ZIP), " ");
            Join(joined, f(F_COUNTRY), kLineBreak);
        } else {
            joined = f(F_STATE);
            joined += f(F_CITY);
            joined += f(F_STREET_1);
            for (int street = F_STREET_2; street <= F_STREET_6; ++street)
                Join(joined, f(static_cast<size_t>(street)), kLineBreak);
        }
        address = joined;
    }
    Assign(card->m_strAddress, Trimmed(address));
    if (!english)
        Assign(card->m_strZip, Trimmed(f(F_ZIP)));
    Assign(card->m_strOther, f(F_OTHER));
    Assign(card->m_strNotes, f(F_NOTES));

    // The methods are looked up only for a card that has such a contact, by
    // names from the program's fixed string table.
    static const CString kPhone[2] = {LoadAppString(IDS_PHONE_JAPANESE),
                                      LoadAppString(IDS_PHONE_ENGLISH)};
    static const CString kFax[2] = {LoadAppString(IDS_FAX_JAPANESE),
                                    LoadAppString(IDS_FAX_ENGLISH)};
    const auto method = [&](const CString(&names)[2]) {
        return english ? methods.FindByEnglish(names[1]) : methods.FindByJapanese(names[0]);
    };
    const auto add = [&](int id, std::string_view text) {
        joined.assign(text);
        card->m_contacts.Add(id, joined.c_str());
    };
    int contacts = 0;
    for (int number = F_PHONE; number <= F_PHONE_6; ++number)
        contacts += f(static_cast<size_t>(number)).empty() ? 0 : 1;
    card->m_contacts.Reserve(contacts);
    int phone = -2;
    const auto addPhone = [&](std::string_view text) {
        if (phone == -2)
            phone = method(kPhone);
        add(phone, text);
    };
    if (!f(F_PHONE).empty())
        addPhone(f(F_PHONE));
    if (!f(F_FAX).empty())
        add(method(kFax), f(F_FAX));
    for (int number = F_PHONE_1; number <= F_PHONE_6; ++number)
        if (!f(static_cast<size_t>(number)).empty())
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
