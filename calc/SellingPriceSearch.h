#pragma once

#include "CalcOutcome.h"
#include "FeeRules.h"
#include "PriceRounding.h"
#include "SharesSale.h"
#include "Trade.h"

// The purchase fee, the cost price, the minimum selling price that leaves the wanted profit
// once the sale fee and the tax are paid, then the sale fee and both profits at that price.
// The price is the lowest of all brackets' answers, so a fee that rises at a boundary never
// sends the user above a cheaper price below it. The tax rate is in per cent. Refusals come
// first where the inputs alone decide them; a price whose sale amount is above 99,999,999 is
// over the limit. The tax is levied on a gain only.
CalcOutcome findSellingPrice(const Schedule& schedule, const Trade& trade, double taxRate,
                             PriceRounding rounding = PriceRounding::Nearest);

// The same search for shares whose cost price is already known, such as part of a holding built
// in several purchases: no purchase fee is looked up, and the sale tax is a cost of the sale.
// findSellingPrice() is this search for one purchase costed with the schedule.
CalcOutcome findSalePrice(const Schedule& schedule, const SharesSale& sale, double taxRate,
                          PriceRounding rounding = PriceRounding::Nearest);
