#pragma once
// Reading comma-separated text in the dialect spreadsheet programs write:
// fields separated by one byte, a field optionally enclosed in double quotes
// (a quote inside written twice), a quoted field free to span lines. Text is
// Shift_JIS: the second byte of a double-byte character is never taken for a
// quote, a separator or a line end.

#include "platform/CString.h"
#include "platform/Export.h"

#include <cstdio>
#include <string_view>
#include <vector>

// The bytes of a text in memory: Shift_JIS, where the second byte of a
// double-byte character may look like a quote, a separator or a line end; or
// UTF-8, where those bytes are always themselves.
enum class ZkCSV_Charset { ShiftJis, Utf8 };

// Reads the next record of a stream opened in binary mode into line, quotes
// kept and the line end dropped. Outside quotes a record ends with CR LF, CR or
// LF; inside quotes line ends belong to the record, so an unbalanced quote
// makes the rest of the stream one record. Zero bytes, which text cannot hold,
// are left out. Returns 0 when the record ended with a line end, 1 at the end
// of the stream (line then holds what followed the last line end, often
// nothing). The stream is left just after the record's line end.
ZKLIB_API int ZkCSV_ReadLine(FILE* stream, CString& line);

// The same for a text in memory: reads the record that starts at pos and moves
// pos just after its line end. Returns 0 and 1 as above, and 2 when the text
// ended inside quotes; openQuote (when given) then receives the position of the
// quote that opened them.
ZKLIB_API int ZkCSV_ReadLine(std::string_view text, size_t& pos, CString& line,
                             ZkCSV_Charset charset = ZkCSV_Charset::ShiftJis,
                             size_t* openQuote = nullptr);

// Appends the fields of record to fields, quotes removed, and returns the
// number of elements fields then holds. An empty field is appended except at
// the end of the record, so "a,,b" gives three fields and "a,b," two. A line
// feed inside quotes arrives as CR LF.
ZKLIB_API int ZkCSV_ParseLine(const char* record, std::vector<CString>& fields,
                              char separator = ',');
ZKLIB_API int ZkCSV_ParseLine(const char* record, std::vector<CString>& fields, char separator,
                              ZkCSV_Charset charset);

// The largest number of comma-separated fields in one record of the file, 0
// for a file without records. A file that cannot be opened or read is reported
// to the user and gives -1.
ZKLIB_API int ZkCSV_CountFields(const char* path);
