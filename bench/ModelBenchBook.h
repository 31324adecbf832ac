#pragma once
// A generated address book of realistic cards for the model benchmarks: mostly
// Japanese cards with readings, companies, addresses and a few contacts, some
// English ones, and names that repeat about as often as real names do.

#include "model/AddrBook.h"

// Fills the empty book with count cards; the same count always gives the same book.
void MakeBenchBook(CAddrBook& book, int count);
