#pragma once

#include "FeeRules.h"

// Which limit changed a bracket's fee.
enum class FeeLimit
{
    None,
    Minimum, // raised to the minimum
    Maximum, // capped at the maximum
};

// How the fee of one trade came about: the bracket of the amount, the bracket's own fee and
// the limit that changed it, if any.
struct FeeBreakdown
{
    int bracket = 0;      // 0-based
    double lower = 0;     // the bracket takes the amounts above this one...
    double upper = 0;     // ...up to this one
    Bracket rule;         // the bracket's fee: euros, or per cent of the amount
    double amount = 0;    // the trade amount
    double unlimited = 0; // before the minimum and the maximum
    FeeLimit limit = FeeLimit::None;
    double fee = 0;

    bool openEnded() const { return upper >= openBound; }
};

// The fee of the amount in the bracket the lookup finds, at or below a bound as its decimals
// say; an amount the bounded lookup finds over the limit is costed in the last bracket, as the
// open lookup would.
FeeBreakdown feeBreakdown(const Schedule& schedule, const TradeAmount& amount, Lookup lookup);
