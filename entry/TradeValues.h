#pragma once

#include "Trade.h"
#include "TradeTexts.h"

// The trade data as the calculation reads it: each text by the plain number reading.
Trade tradeFromTexts(const TradeTexts& texts, bool percentMode);
