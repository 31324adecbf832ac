#include "print/PaperDefs.h"

#include "layouts/LayoutRoot.h"
#include "platform/CNumber.h"
#include "platform/File.h"
#include "platform/MbChar.h"
#include "print/PageLayout.h"
#include "zklib/ZkCsv.h"
#include "zklib/ZkFile.h"

#include <cmath>

namespace {

// The name's first bytes, never half a double-byte character.
CString CutName(const CString& name) {
    const char* p = name.GetString();
    int length = 0;
    while (p[length] != '\0') {
        const int next = length + mb::CharLen(p + length);
        if (next > kMaxPaperNameBytes)
            break;
        length = next;
    }
    return CString(p, length);
}

bool IsPaperSide(float mm) {
    return std::isfinite(mm) && mm > 0 && mm <= CPageLayout::kMaxLength.mm();
}

} // namespace

std::vector<PaperSize> ParsePaperDefs(std::string_view text) {
    text = text.substr(0, kMaxPaperDefsBytes);
    std::vector<PaperSize> papers;
    size_t pos = 0;
    CString line;
    std::vector<CString> fields;
    while (pos < text.size() && papers.size() < kMaxPapers) {
        const int end = ZkCSV_ReadLine(text, pos, line);
        fields.clear();
        if (!line.IsEmpty() && ZkCSV_ParseLine(line, fields) >= 3 &&
            !fields[0].view().starts_with("//")) {
            const PaperSize paper{CutName(fields[0]),
                                  static_cast<float>(cnum::Atof(fields[1].GetString())),
                                  static_cast<float>(cnum::Atof(fields[2].GetString()))};
            if (IsPaperSide(paper.width) && IsPaperSide(paper.height))
                papers.push_back(paper);
        }
        if (end != 0)
            break;
    }
    return papers;
}

std::optional<CFileError> ReadPaperDefs(const char* path, std::vector<PaperSize>& papers) {
    papers.clear();
    std::string bytes;
    if (auto error = ReadLayoutDataFile(path, kMaxPaperDefsBytes, bytes))
        return error;
    papers = ParsePaperDefs(bytes);
    return std::nullopt;
}

CString PaperDefsPath() {
    return LayoutDataFilePath("PAPERS.DEF");
}
