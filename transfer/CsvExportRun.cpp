#include "transfer/CsvExportRun.h"

#include "platform/AtomicFile.h"

#include <string>

namespace {

// Lines gather up to this size before one write.
constexpr size_t kBlockSize = 1 << 20;

void WriteBlock(CFile* file, std::string& block) {
    file->Write(block.data(), static_cast<UINT>(block.size()));
    block.clear();
}

} // namespace

void WriteExportLines(CFile* file, std::span<const CAddrCard* const> cards,
                      const CExportLayout& layout) {
    std::string block;
    block.reserve(kBlockSize + 4096);
    for (const CAddrCard* card : cards) {
        layout.AppendLine(*card, block);
        if (block.size() >= kBlockSize)
            WriteBlock(file, block);
    }
    if (!block.empty())
        WriteBlock(file, block);
}

std::optional<CFileError> ExportCards(const char* path, std::span<const CAddrCard* const> cards,
                                      const CExportLayout& layout, int& written) {
    written = 0;
    CAtomicFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite, &error))
        return CFileError::FromException(error, MB_OK | MB_ICONSTOP);
    try {
        WriteExportLines(&file, cards, layout);
        file.Commit();
    } catch (const CFileException& e) {
        file.Abort();
        return CFileError::FromException(e, MB_OK | MB_ICONSTOP);
    }
    written = static_cast<int>(cards.size());
    return std::nullopt;
}
