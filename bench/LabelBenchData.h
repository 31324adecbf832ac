#pragma once
// What the label benchmarks print: generated cards, the A4 12-label sheet and
// the default print fonts.

#include "model/AddrCard.h"
#include "print/PageLayout.h"
#include "print/PrintFonts.h"

#include <vector>

// 100,000 cards: Japanese ones with postal code, two address lines, a company
// on half and a title on a third of them; every fifth card English.
const std::vector<CAddrCard>& LabelBenchCards();
CPageLayout A4TwelveLayout();
LabelFonts DefaultLabelFonts();
