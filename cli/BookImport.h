#pragma once
// The book side of an import, shared by the CSV and the vCard import: the book
// read under its lock, and the new cards appended and saved with the user's
// backups (or, in a dry run, printed as dump prints them). The book changes
// wholly or not at all.

#include "doc/BookLock.h"
#include "model/AddrBook.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

struct BookImport {
    std::string bookPath;
    std::string target; // where the book is written
    bool dryRun = false;
    CBookLock lock; // held from reading the book to its save
    CAddrBook book;
};

// Reads the book; unless a dry run, refuses an input that is the book and
// takes the book's lock first, so that the program cannot open it unnoticed.
int OpenBookForImport(BookImport& import, std::initializer_list<std::string> inputs);

// Appends the cards and saves the book, then tells how many were imported.
int FinishImport(BookImport& import, std::vector<std::unique_ptr<CAddrCard>> cards);
