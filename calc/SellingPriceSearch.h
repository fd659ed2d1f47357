#pragma once

#include "CalcOutcome.h"
#include "FeeRules.h"
#include "Trade.h"

// The purchase fee, the cost price, the minimum selling price that leaves the wanted profit
// once the sale fee and the tax are paid, then the sale fee and both profits at that price.
// The tax rate is in per cent. Refusals come first where the inputs alone decide them.
CalcOutcome findSellingPrice(const Schedule& schedule, const Trade& trade, double taxRate);
