#pragma once

#include "FeeBreakdown.h"
#include "TaxedProfit.h"
#include "TransactionTax.h"

// What one calculation fixes for every sale price: the shares, the cost price and the tax.
struct CostBasis
{
    double shares = 0;
    double costPrice = 0;     // C, per share, rounded to cents
    double afterTax = 1;      // the part of a profit left after the tax
    double grossWanted = 0;   // G: the profit before tax that leaves the wanted profit
    TransactionTax saleTax{}; // paid on a sale besides its fee, for shares of a position

    double outlay() const { return shares * costPrice; }
    double afterTaxOf(double profit) const { return taxedProfit(profit, afterTax); }
};

// Selling every share at one price, costed as a real sale: the open lookup, that bracket's fee,
// the minimum and the maximum. Profits are in cents, before tax rounded first and the tax
// applied to that, as the result labels show them; a loss is not taxed.
struct SaleAtPrice
{
    double price = 0;
    double amount = 0;
    bool overLimit = false; // above 99,999,999: no sale the program takes
    FeeBreakdown fee;
    double saleTax = 0; // the transaction tax of the sale, when one is due
    double profitBeforeTax = 0;
    double profitAfterTax = 0;
    bool reachesWanted = false; // the profit before tax, unrounded, is at least G
};

SaleAtPrice saleAtPrice(const Schedule& schedule, const CostBasis& basis, double price);
