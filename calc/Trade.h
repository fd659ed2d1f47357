#pragma once

// The trade data of the data page, as numbers.
struct Trade
{
    double purchasePrice = 0; // of one share, euros
    double shares = 0;        // a whole number
    double wantedProfit = 0;  // per cent of the cost, or euros
    bool percentMode = true;  // otherwise wantedProfit is a sum of money
};
