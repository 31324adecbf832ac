#pragma once
// A CSV file read for import: its bytes turned into records of Shift_JIS
// fields, with the encoding told from the bytes. Spreadsheets write Shift_JIS
// with CR LF; address books and mail programs write UTF-8, often with a
// byte-order mark. A file is read whole or refused with a reason naming the
// line; it is never half-read.

#include "platform/CString.h"
#include "platform/FileError.h"

#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class CsvEncoding { Auto, ShiftJis, Utf8 };

enum class CsvRefusal { None, Utf16, BadByte, OpenQuote };

struct CsvImportRecord {
    // Shift_JIS, quotes removed, at least one; they point into the file object
    // that read them and live as long as its records.
    std::span<const std::string_view> fields;
    // Every field empty or blank, as ",,,," is: such a row starts unselected.
    bool blank = false;
    // 1-based field of the first character code page 932 cannot hold, 0 when
    // none. The field holds its text without such characters, so the row starts
    // unselected and the user is told which character it is.
    int unstorableColumn = 0;
    std::string unstorable; // that character, UTF-8
};

// Offset of the first byte of text that code page 932 does not define, or
// npos, as the reader finds it: with the widest vector instructions the
// processor has, or without them. Both give the same answer.
size_t CsvFirstBadShiftJis(std::string_view text, bool widest);

class CCsvImportFile {
public:
    CCsvImportFile() = default;
    // The records point into the object's own buffers.
    CCsvImportFile(const CCsvImportFile&) = delete;
    CCsvImportFile& operator=(const CCsvImportFile&) = delete;

    // Reads the file at path. Auto takes a UTF-8 byte-order mark, or valid UTF-8
    // with a byte beyond ASCII, for UTF-8 and other valid Shift_JIS for Shift_JIS.
    // On failure the object holds no records.
    std::optional<CFileError> Read(const std::string& path, CsvEncoding choice);
    // The same for the bytes of a file already in memory; path names them.
    std::optional<CFileError> ReadBytes(std::string bytes, const std::string& path,
                                        CsvEncoding choice);

    // One record a non-empty line (a quoted field may span lines): row n of the
    // import table is m_records[n - 1].
    std::vector<CsvImportRecord> m_records;
    CsvEncoding m_encoding = CsvEncoding::ShiftJis; // as found: ShiftJis or Utf8
    int m_nColumns = 0;                             // fields of the widest record

    // Why the last read was refused, for a caller that words it in another language.
    CsvRefusal m_refusal = CsvRefusal::None;
    int m_nRefusedLine = 0;                      // BadByte, OpenQuote: 1-based
    CsvEncoding m_refusedAs = CsvEncoding::Auto; // BadByte: what the bytes were read as

    // Drops the records and the bytes they point into.
    void Clear();

private:
    // Splits the text into records; false when it ends inside quotes, whose
    // opening quote is then at openQuote.
    bool Split(std::string_view text, bool utf8, size_t& openQuote);

    // What the fields point into: the file's bytes, or their Shift_JIS form
    // when they were UTF-8; and the fields that are no stretch of those as they
    // stand (a doubled quote, a lone line feed, text around quotes, a field
    // turned from UTF-8), one string each so that none moves.
    std::string m_bytes;
    std::optional<CString> m_converted;
    std::deque<std::string> m_rewritten;
    std::vector<std::string_view> m_fields; // every record's, in order
};
