#pragma once
// Loading and saving a whole .kvd file by its path (native encoding). A failure
// comes back as an error naming the file; nothing is shown here.

#include "model/AddrBook.h"
#include "platform/AtomicFile.h"
#include "platform/FileError.h"

#include <optional>

// Reads the file into book, which should be empty. A file of length 0 is an
// empty book and gets the default contact methods. On failure the book holds
// what was read before it.
std::optional<CFileError> LoadAddrBook(const char* path, CAddrBook& book);

// Writes the book in one go to a temporary file beside path and renames it over
// path, so a failed save leaves the previous file as it was.
std::optional<CFileError> SaveAddrBook(const char* path, CAddrBook& book);

// The first half of a save, for savers that do more before the rename: writes
// the whole book into file, opened for path, and puts it on the disk. On an
// error the temporary file is gone.
std::optional<CFileError> WriteAddrBookTemp(const char* path, CAddrBook& book, CAtomicFile& file);
