#pragma once

#include "TransactionTax.h"

// Shares to sell from a holding whose cost is known: their number, the cost price of one share
// (rounded to cents, as the price is shown and the profit measured), the wanted profit, and the
// tax the sale pays besides its fee.
struct SharesSale
{
    double shares = 0;
    double costPrice = 0;     // C, per share, euros
    double wantedProfit = 0;  // per cent of the cost of the shares sold, or euros
    bool percentMode = true;  // otherwise wantedProfit is a sum of money
    TransactionTax saleTax{}; // none by default
};
