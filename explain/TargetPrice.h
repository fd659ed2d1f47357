#pragma once

#include "CalcOutcome.h"
#include "SaleAtPrice.h"
#include "SharesSale.h"
#include "Trade.h"

// The cost basis a calculation's result fixes.
CostBasis costBasis(const SellingPrice& result, const Trade& trade, double taxRate);

// The lowest price in cents at which selling every share yields a wanted profit. It is the
// search's price in most cases; but the search rounds to the nearest cent, which may fall short
// by a fraction of a cent, and holds an inexact price below the boundary, where it falls short.
struct TargetPrice
{
    CalcStatus status = CalcStatus::Done;
    double wantedProfit = 0; // per cent of the cost or euros, in the trade's mode
    SaleAtPrice sale;        // at that price
    bool inexact = false;    // the profit lies in a jump of the fee: the price brings in more

    bool ok() const { return status == CalcStatus::Done; }
};

TargetPrice lowestPriceFor(const Schedule& schedule, const Trade& trade, double taxRate);
// The same for shares of a position, from their cost price and with their sale tax.
TargetPrice lowestPriceFor(const Schedule& schedule, const SharesSale& sale, double taxRate);
