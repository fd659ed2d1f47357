#pragma once

// The amount of a trade: a number of shares times a price per share. The fee schedule is written
// in decimals and so are the prices the user types or the program shows, so whether an amount
// lies at or below a bracket's upper bound is decided on their decimal values: 625 shares at
// 1.12 are 700.00 exactly, inside a bracket that ends at 700, although the product of the two
// doubles is 700.0000000000001.
struct TradeAmount
{
    double shares = 0;
    double price = 0;

    double value() const { return shares * price; }
};

// Whether shares × price is at most the bound, each number taken as the shortest decimal that
// reads back as its double. That decimal is the one written for every text of up to 15
// significant digits, which holds every price and bound the fields take (ten characters at the
// most) and every price in whole cents the program shows; a hand-edited bound of more digits
// than a double holds is taken at its double, as the rest of the program reads it.
bool amountAtMost(const TradeAmount& amount, double bound);
