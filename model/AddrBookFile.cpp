#include "model/AddrBookFile.h"

BOOL LoadAddrBook(const char* path, CAddrBook& book) {
    try {
        // Read reports its own errors; only opening and reading the file raise here.
        CMemFile file = ReadWholeFile(path);
        if (file.GetLength() == 0) {
            book.m_methods.SetDefaults();
            return TRUE;
        }
        return book.Read(&file);
    } catch (const CFileException& e) {
        e.ReportError(MB_OK | MB_ICONSTOP);
        return FALSE;
    }
}

BOOL WriteAddrBookTemp(const char* path, CAddrBook& book, CAtomicFile& file) {
    CMemFile image(std::string(), path);
    if (!book.Write(&image))
        return FALSE;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite, &error)) {
        error.ReportError(MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    try {
        const std::string& bytes = image.Data();
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Flush();
        return TRUE;
    } catch (const CFileException& e) {
        file.Abort();
        e.ReportError(MB_OK | MB_ICONSTOP);
        return FALSE;
    }
}

BOOL SaveAddrBook(const char* path, CAddrBook& book) {
    CAtomicFile file;
    if (!WriteAddrBookTemp(path, book, file))
        return FALSE;
    try {
        file.Commit();
        return TRUE;
    } catch (const CFileException& e) {
        e.ReportError(MB_OK | MB_ICONSTOP);
        return FALSE;
    }
}
