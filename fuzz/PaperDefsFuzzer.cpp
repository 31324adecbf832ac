// Reads arbitrary bytes as PAPERS.DEF: every paper listed has a positive,
// finite size of at most 2000 mm and a name of at most 255 bytes, and there are
// at most 1,000 of them.

#include "print/PaperDefs.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool IsSide(float mm) {
    return std::isfinite(mm) && mm > 0 && mm <= 2000;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<PaperSize> papers =
        ParsePaperDefs(std::string_view(reinterpret_cast<const char*>(data), size));
    if (papers.size() > kMaxPapers)
        std::abort();
    for (const PaperSize& paper : papers)
        if (!IsSide(paper.width) || !IsSide(paper.height) ||
            paper.name.GetLength() > kMaxPaperNameBytes)
            std::abort();
    return 0;
}
