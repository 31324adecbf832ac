#include "transfer/ColumnTitles.h"

#include "platform/CodePage.h"
#include "res/AppStrings.h"
#include "transfer/ImportLayout.h"

#include <algorithm>
#include <utility>

namespace {

// Titles of "no field" and fields 0 to 29 follow each base in order.
constexpr UINT IDS_ENGLISH_TITLES = 160;
constexpr UINT IDS_JAPANESE_TITLES = 191;

constexpr int N = IMPORT_NO_FIELD;

struct KnownTitle {
    CString title;
    int field;
};

CString ShiftJis(const char* utf8) {
    CString text;
    cp932::FromUtf8(utf8, text);
    return text;
}

// The import fields' own titles first, then the programs' titles; the first
// entry of a title decides.
const std::vector<KnownTitle>& KnownTitles() {
    static const std::vector<KnownTitle> titles = [] {
        std::vector<KnownTitle> out;
        for (const UINT base : {IDS_ENGLISH_TITLES, IDS_JAPANESE_TITLES}) {
            const CString none = LoadAppString(base);
            for (int field = 0; field < IMPORT_FIELD_COUNT; ++field) {
                CString title = LoadAppString(base + 1 + static_cast<UINT>(field));
                if (title != none)
                    out.push_back({std::move(title), field});
            }
        }
        for (const TitledImportLayout& layout : TitledImportLayouts())
            for (const ColumnTitle& column : layout.columns)
                out.push_back({ShiftJis(column.title), column.field});
        return out;
    }();
    return titles;
}

const KnownTitle* FindTitle(const CString& cell) {
    const std::vector<KnownTitle>& titles = KnownTitles();
    const auto it = std::find_if(titles.begin(), titles.end(),
                                 [&](const KnownTitle& known) { return known.title == cell; });
    return it == titles.end() ? nullptr : &*it;
}

// The layout whose titles are the cells, in order, with nothing but empty
// cells after them.
const TitledImportLayout* ExactLayout(const std::vector<CString>& cells) {
    size_t used = cells.size();
    while (used > 0 && cells[used - 1].IsEmpty())
        --used;
    for (const TitledImportLayout& layout : TitledImportLayouts())
        if (layout.columns.size() == used &&
            std::equal(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(used),
                       layout.columns.begin(), [](const CString& cell, const ColumnTitle& column) {
                           return cell == ShiftJis(column.title);
                       }))
            return &layout;
    return nullptr;
}

} // namespace

// The programs write their titles exactly so, whatever the user's cards hold.
// An e-mail address has no import field: the first one goes to 備考, where it
// stays visible and found by the search, and the others are left out, as are
// the work address and the job title where a home address and a department
// have the fields.
const std::vector<TitledImportLayout>& TitledImportLayouts() {
    static const std::vector<TitledImportLayout> layouts = {
        {"Webメール連絡先",
         {{"姓", 2},
          {"名", 1},
          {"姓（フリガナ）", 6},
          {"名（フリガナ）", 5},
          {"ニックネーム", N},
          {"会社名", 8},
          {"部署名", 7},
          {"役職", N},
          {"郵便番号", 18},
          {"都道府県", 17},
          {"市区町村", 16},
          {"番地", 10},
          {"建物名", 11},
          {"国", 19},
          {"電話番号", 20},
          {"携帯電話番号", 22},
          {"FAX", 21},
          {"メールアドレス", 28},
          {"メールアドレス 2", N},
          {"メモ", 29}}},
        {"Webメール連絡先 (英語見出し)",
         {{"First Name", 1},
          {"Middle Name", 3},
          {"Last Name", 2},
          {"Phonetic First Name", 5},
          {"Phonetic Middle Name", N},
          {"Phonetic Last Name", 6},
          {"Nickname", N},
          {"Organization Name", 8},
          {"Organization Title", N},
          {"Organization Department", 7},
          {"Notes", 29},
          {"E-mail 1 - Label", N},
          {"E-mail 1 - Value", 28},
          {"E-mail 2 - Label", N},
          {"E-mail 2 - Value", N},
          {"Phone 1 - Label", N},
          {"Phone 1 - Value", 20},
          {"Phone 2 - Label", N},
          {"Phone 2 - Value", 22},
          {"Address 1 - Label", N},
          {"Address 1 - Formatted", N},
          {"Address 1 - Street", 10},
          {"Address 1 - City", 16},
          {"Address 1 - Region", 17},
          {"Address 1 - Postal Code", 18},
          {"Address 1 - Country", 19},
          {"Address 1 - Extended Address", 11}}},
        // The display name is the name the user saw in the mail program, and
        // often the only one: it is the full name.
        {"メールソフト住所録",
         {{"名", 1},
          {"姓", 2},
          {"表示名", 0},
          {"姓のふりがな", 6},
          {"名のふりがな", 5},
          {"ニックネーム", N},
          {"メールアドレス", 28},
          {"第 2 メールアドレス", N},
          {"勤務先電話番号", 23},
          {"自宅電話番号", 20},
          {"FAX 番号", 21},
          {"ポケットベル番号", N},
          {"携帯電話番号", 22},
          {"自宅住所", 10},
          {"自宅住所 2", 11},
          {"自宅市区町村", 16},
          {"自宅都道府県", 17},
          {"自宅郵便番号", 18},
          {"自宅国", 19},
          {"勤務先住所", N},
          {"勤務先住所 2", N},
          {"勤務先市区町村", N},
          {"勤務先都道府県", N},
          {"勤務先郵便番号", N},
          {"勤務先国", N},
          {"役職", N},
          {"部署", 7},
          {"勤務先", 8},
          {"メモ", 29}}},
    };
    return layouts;
}

// A row is titles when at least two of its cells name a field and at least
// half of its non-empty cells are known titles. A single title could be a
// datum (a note reading "備考"); two field titles in a row of data, and a
// row most of whose cells are titles, are not met in address books.
std::optional<ColumnTitleMap> MapColumnTitles(const std::vector<CString>& cells) {
    std::vector<CString> trimmed = cells;
    for (CString& cell : trimmed)
        cell.Trim();
    ColumnTitleMap map;
    int filled = 0, known = 0, named = 0;
    for (const CString& cell : trimmed) {
        const KnownTitle* title = cell.IsEmpty() ? nullptr : FindTitle(cell);
        filled += cell.IsEmpty() ? 0 : 1;
        known += title ? 1 : 0;
        named += title && title->field != N ? 1 : 0;
        map.fields.push_back(title ? title->field : N);
    }
    if (named < 2 || known * 2 < filled)
        return std::nullopt;
    if (const TitledImportLayout* layout = ExactLayout(trimmed)) {
        for (size_t i = 0; i < layout->columns.size(); ++i)
            map.fields[i] = layout->columns[i].field;
        map.layoutName = ShiftJis(layout->name);
    }
    return map;
}
