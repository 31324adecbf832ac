#pragma once
// The postal code table the programs ship (jp-postal.tsv.gz beside the bundled
// layouts), one for the whole run and read on its first lookup.

#include "model/PostalCodeTable.h"

CPostalCodeTable& BundledPostalTable();
