#pragma once

#include "PriceRounding.h"

class IniStore;

// The rounding of the minimum price, kept as a key of its own: a file without it, or with any
// other value than the one for rounding up, gives the nearest cent.
PriceRounding loadPriceRounding(const IniStore& store);
void savePriceRounding(const IniStore& store, PriceRounding rounding);
