#pragma once

#include "SellingPrice.h"

enum class CalcStatus
{
    Done,
    PurchaseOverLimit,    // the purchase amount is above the last bracket
    SaleOverLimit,        // a sale amount tried by the search is above the last bracket
    TaxRateInvalid,       // 100 % or more: nothing would be left of any profit
    PercentageFeeInvalid, // 100 % or more in a bracket: no price could pay for its own fee
    PriceInvalid,         // the price came out infinite, undefined or negative
};

// What the window gets back from one calculation. On a refusal the window shows the message of
// the status; the result holds the purchase fee and cost price from SaleOverLimit on, since
// those labels are written before the search runs.
struct CalcOutcome
{
    CalcStatus status = CalcStatus::Done;
    int bracketNumber = 0; // 1 to 5: the bracket refused with PercentageFeeInvalid
    SellingPrice result;

    bool ok() const { return status == CalcStatus::Done; }
};
