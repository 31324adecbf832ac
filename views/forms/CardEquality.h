#pragma once
// Whether two cards hold the same notation, texts and contact entries, byte
// for byte: a form's commit that changed nothing must not count as an edit.

#include "model/AddrCard.h"

bool SameCard(const CAddrCard& a, const CAddrCard& b);
