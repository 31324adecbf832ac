#pragma once
// Loading and saving a whole .kvd file by its path (native encoding). Errors
// are shown through the user-interaction service, naming the file.

#include "model/AddrBook.h"
#include "platform/AtomicFile.h"

// Reads the file into book, which should be empty. A file of length 0 is an
// empty book and gets the default contact methods. On failure the book holds
// what was read before it.
BOOL LoadAddrBook(const char* path, CAddrBook& book);

// Writes the book in one go to a temporary file beside path and renames it over
// path, so a failed save leaves the previous file as it was.
BOOL SaveAddrBook(const char* path, CAddrBook& book);

// The first half of a save, for savers that do more before the rename: writes
// the whole book into file, opened for path, and puts it on the disk. FALSE
// after the error was shown; the temporary file is then gone.
BOOL WriteAddrBookTemp(const char* path, CAddrBook& book, CAtomicFile& file);
