#pragma once

#include "ScheduleTexts.h"

#include <algorithm>

// A tax levied on the amount of a trade, such as a stamp duty or a tax on stock-exchange
// transactions: a rate, and a cap per trade (the open bound where there is none). A sale's tax
// is a cost of the sale, as its fee is; a cap makes it bend, as a maximum fee does.
struct TransactionTax
{
    double rate = 0; // per cent of the trade amount
    double cap = openBound;

    double on(double amount) const
    {
        if (rate == 0)
            return 0;
        return std::min(rate * amount / 100, cap);
    }

    friend bool operator==(const TransactionTax&, const TransactionTax&) = default;
};
