#include "model/AddrBookFile.h"

namespace {

// Opening, reading and writing the file itself stop with the stop icon; a
// damaged record inside it keeps the record's own icon.
constexpr UINT kFileErrorType = MB_OK | MB_ICONSTOP;

} // namespace

std::optional<CFileError> LoadAddrBook(const char* path, CAddrBook& book) {
    try {
        // Read returns its own errors; only opening and reading the file raise here.
        CMemFile file = ReadWholeFile(path);
        if (file.GetLength() == 0) {
            book.m_methods.SetDefaults();
            return std::nullopt;
        }
        return book.Read(&file);
    } catch (const CFileException& e) {
        return CFileError::FromException(e, kFileErrorType);
    }
}

std::optional<CFileError> WriteAddrBookTemp(const char* path, CAddrBook& book, CAtomicFile& file) {
    CMemFile image(std::string(), path);
    if (auto error = book.Write(&image))
        return error;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite, &error))
        return CFileError::FromException(error, kFileErrorType);
    try {
        const std::string& bytes = image.Data();
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Flush();
        return std::nullopt;
    } catch (const CFileException& e) {
        file.Abort();
        return CFileError::FromException(e, kFileErrorType);
    }
}

std::optional<CFileError> SaveAddrBook(const char* path, CAddrBook& book) {
    CAtomicFile file;
    if (auto error = WriteAddrBookTemp(path, book, file))
        return error;
    try {
        file.Commit();
        return std::nullopt;
    } catch (const CFileException& e) {
        return CFileError::FromException(e, kFileErrorType);
    }
}
