#include "BracketPrice.h"

#include <cmath>

namespace {

// The price of one bracket with the sale tax taken as a rate, or as a fixed sum (its cap). With
// no sale tax the rate is 0 and the sum 0, and every term below is the one the price has always
// been solved with, to the last bit.
double priceWithSaleTax(const Schedule& schedule, const Bracket& bracket, const SaleTarget& target,
                        double taxRate, double taxSum)
{
    const double n = target.shares;
    const double kept = 1 - taxRate / 100;
    double fixed = 0;
    if (bracket.percentage) {
        const double proportionalKept = 1 - bracket.fee / 100 - taxRate / 100;
        const double proportionalPrice =
            ((target.cost + target.gross + taxSum) / proportionalKept) / n;
        const double proportionalFee = bracket.fee * (proportionalPrice * n) / 100;
        const bool belowMinimum = schedule.minimum != 0 && schedule.minimum > proportionalFee;
        const bool aboveMaximum =
            schedule.maximum != openBound && schedule.maximum < proportionalFee;
        if (!belowMinimum && !aboveMaximum)
            return proportionalPrice;
        // The maximum wins when both hold, as the limits apply it last.
        fixed = aboveMaximum ? schedule.maximum : schedule.minimum;
    } else {
        fixed = limitedFee(schedule, bracket.fee);
    }
    // The two modes add the same terms in their own orders; the order can move the last bit of
    // a price lying on the edge of a cent, so each keeps its own.
    return target.percentMode ? (((fixed + target.gross + target.cost) + taxSum) / kept) / n
                              : (((target.gross + target.cost + fixed) + taxSum) / kept) / n;
}

} // namespace

double priceInBracket(const Schedule& schedule, const Bracket& bracket, const SaleTarget& target)
{
    const TransactionTax& tax = target.saleTax;
    const double price = priceWithSaleTax(schedule, bracket, target, tax.rate, 0);
    // The proceeds rise with the price whatever the tax, so a price whose tax at the rate is
    // over the cap lies above the point where the cap starts, and the tax there is the cap.
    if (tax.rate == 0 || !(tax.rate * (price * target.shares) / 100 > tax.cap))
        return price;
    return priceWithSaleTax(schedule, bracket, target, 0, tax.cap);
}

double centsWithin(double boundary, double shares)
{
    double cents = std::floor(boundary / shares * 100);
    // Past 2^53 a cent more is the same double: no stepping would ever end. Only schedules no
    // field can hold reach that far.
    if (!(std::fabs(cents) < 0x1p53))
        return cents;
    while (amountAtMost({shares, (cents + 1) / 100}, boundary))
        ++cents;
    while (cents > 0 && !amountAtMost({shares, cents / 100}, boundary))
        --cents;
    return cents;
}

int solvedBracket(const Schedule& schedule, double amount)
{
    const int last = bracketCount - 1;
    for (int i = 0; i < last; ++i) {
        const double upper = schedule.brackets[size_t(i)].upper;
        if (amount <= upper + 1e-12 * std::fmax(std::fabs(amount), std::fabs(upper)))
            return i;
    }
    return last;
}
