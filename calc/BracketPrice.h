#pragma once

#include "FeeRules.h"
#include "TransactionTax.h"

// What every bracket is solved for: selling n shares must bring in the outlay plus G.
struct SaleTarget
{
    double shares;
    double cost;  // n × C, the whole outlay
    double gross; // G
    bool percentMode;
    TransactionTax saleTax{}; // paid on the sale amount besides the fee
};

// The price per share at which the sale, with the fee of this bracket, brings in exactly the
// outlay plus G. Inside one bracket the fee is fixed or proportional; a proportional fee that
// the minimum or maximum would override is solved as that fixed limit, and so is a sale tax its
// cap overrides.
double priceInBracket(const Schedule& schedule, const Bracket& bracket, const SaleTarget& target);

// The number of cents of the highest price whose sale amount, in decimals as the fee lookup
// decides it, does not exceed the boundary. The quotient alone can land a cent either side.
double centsWithin(double boundary, double shares);

// The bracket (0-based, by the open lookup) of the sale amount a bracket's price was solved for.
// That amount is a sum of doubles standing for a decimal sum, so one that lands within their
// rounding of an upper bound is taken as on it, and in the bracket the bound closes.
int solvedBracket(const Schedule& schedule, double amount);
