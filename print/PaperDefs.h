#pragma once
// The paper sizes of "PAPERS.DEF": Shift_JIS text, one paper a line (CR LF or
// LF), fields separated by commas and optionally quoted: the name, then the
// width and the height of the paper upright in millimetres; further fields are
// ignored. A line whose name begins with "//" is a comment. Numbers are read as
// the C library's atof reads them in the C locale, whatever the user's locale:
// blanks skipped, then the longest number, else 0. The file comes from outside:
// only its first 1 MiB and 1,000 papers are taken, names are cut to 255 bytes,
// and a paper without a positive, finite size of at most 2000 mm is skipped.

#include "platform/CString.h"
#include "platform/FileError.h"

#include <optional>
#include <string_view>
#include <vector>

struct PaperSize {
    CString name;
    float width = 0;  // mm, upright
    float height = 0; // mm, upright
};

inline constexpr size_t kMaxPaperDefsBytes = 1 << 20;
inline constexpr size_t kMaxPapers = 1000;
inline constexpr int kMaxPaperNameBytes = 255;

std::vector<PaperSize> ParsePaperDefs(std::string_view text);

// Reads the file; an error when it cannot be opened or read (papers then empty).
std::optional<CFileError> ReadPaperDefs(const char* path, std::vector<PaperSize>& papers);

// "PAPERS.DEF" under the layout root when one lies there, else beside the
// bundled layouts.
CString PaperDefsPath();
