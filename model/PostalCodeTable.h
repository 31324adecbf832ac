#pragma once
// Japan's postal codes and the addresses they stand for, from the bundled table
// of Japan Post's data (res/postal/jp-postal.tsv, shipped compressed): each code
// has one or more rows of prefecture, city and town, and a large office's code
// also its block and the office's name. The table is read on first use, kept as
// Shift_JIS text with a sorted index of codes, and answers by binary search.

#include "platform/CString.h"
#include "platform/FileError.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CPostalRow {
    CString strPrefecture; // 都道府県
    CString strCity;       // 市区町村, with its 郡 when it has one
    CString strTown;       // 町域; empty when the code covers the whole city
    CString strBlock;      // 番地, a large office's only
    CString strOffice;     // 事業所名, a large office's only

    // The address as one line: prefecture, city, town and block.
    CString Address() const;
};

// The 7 ASCII digits of a postal code as a user types it: half- or full-width
// digits, hyphens (- － ‐ ー), a leading 〒 and blanks anywhere. Empty when what
// is left is not exactly 7 digits. sjis is Shift_JIS.
std::string NormalizePostalCode(std::string_view sjis);

class CPostalCodeTable {
public:
    // path: the table, gzip-compressed or plain UTF-8 text.
    explicit CPostalCodeTable(std::string path);

    // Reads the table unless that was done (or tried) before. An error when the
    // file is missing, damaged or holds a row the program could not use; the
    // table then stays empty and says so again on every call.
    std::optional<CFileError> Load();
    bool IsLoaded() const { return m_bLoaded; }

    // Every row of code (as typed; see NormalizePostalCode) in the table's
    // order, loading the table first. Empty for no code, an unknown code or a
    // table that could not be read.
    std::vector<CPostalRow> Find(std::string_view code);

    // From the table's first line: "jquery-jpostal-ja 2.14.73" and the data date.
    const std::string& Source() const { return m_strSource; }
    const std::string& DataDate() const { return m_strDataDate; }
    size_t RowCount() const { return m_index.size(); }

    // How a card's postal code agrees with its address; only a warning.
    enum class Check {
        kNoCode,    // the card has no postal code
        kPlausible, // the address begins with a row's city, as the rules allow
        kUnknown,   // the code is not a code of the table (or the table can't be read)
        kMismatch,  // the address begins with none of the code's cities
    };
    // The address passes when, with blanks and line breaks removed and digits
    // and hyphens folded to one width, it begins with a row's prefecture and
    // city, or the city alone, either of them also without the city's 郡.
    Check CheckAddress(std::string_view code, std::string_view address);

private:
    struct Entry {
        uint32_t code;   // the 7 digits as a number
        uint32_t offset; // where the row's fields begin in m_text (after the code)
    };
    // The fields of one row, as views into m_text.
    struct RowView {
        std::string_view field[5];
    };
    std::optional<CFileError> Parse(std::string&& utf8);
    std::pair<const Entry*, const Entry*> Range(std::string_view code);
    RowView ViewAt(uint32_t offset) const;

    std::string m_strPath;
    bool m_bTried = false;
    bool m_bLoaded = false;
    std::optional<CFileError> m_error;
    std::string m_text; // the rows as Shift_JIS
    std::vector<Entry> m_index;
    std::string m_strSource;
    std::string m_strDataDate;
};
