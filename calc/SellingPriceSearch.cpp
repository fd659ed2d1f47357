#include "SellingPriceSearch.h"

#include "NumberText.h"

#include <cmath>

namespace {

// Passes the search makes before it settles on a boundary. It goes on past them only while
// every bracket tried so far falls short of the target; each such pass lands in a higher
// bracket, so there are never more passes than brackets.
constexpr int settlingPasses = 3;

// The values every pass of the search shares.
struct Target
{
    double shares;
    double cost;  // n × C, the whole outlay
    double gross; // G
    bool percentMode;
};

// The price per share at which the sale, with the fee of this bracket, brings in exactly the
// outlay plus G. Inside one bracket the fee is fixed or proportional; a proportional fee that
// the minimum or maximum would override is solved as that fixed limit.
double priceInBracket(const Schedule& schedule, const Bracket& bracket, const Target& target)
{
    const double n = target.shares;
    double fixed = 0;
    if (bracket.percentage) {
        const double kept = 1 - bracket.fee / 100;
        const double proportionalPrice = ((target.cost + target.gross) / kept) / n;
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
    return target.percentMode ? (fixed + target.gross + target.cost) / n
                              : (target.gross + target.cost + fixed) / n;
}

std::optional<int> refusedPercentageBracket(const Schedule& schedule)
{
    for (int i = 0; i < bracketCount; ++i) {
        const Bracket& bracket = schedule.brackets[size_t(i)];
        // Written so that an undefined fee is refused too.
        if (bracket.percentage && !(bracket.fee < 100))
            return i;
    }
    return std::nullopt;
}

// A price or a fee the labels may show: a number, and not below zero.
bool isShownAmount(double value)
{
    return std::isfinite(value) && value >= 0;
}

CalcOutcome refusal(CalcStatus status, const SellingPrice& sofar = {})
{
    CalcOutcome outcome;
    outcome.status = status;
    outcome.result = sofar;
    return outcome;
}

} // namespace

CalcOutcome findSellingPrice(const Schedule& schedule, const Trade& trade, double taxRate)
{
    // A rate of 100 % divides the gross profit by zero, and above it flips its sign.
    if (!(taxRate < 100))
        return refusal(CalcStatus::TaxRateInvalid);
    if (const std::optional<int> bracket = refusedPercentageBracket(schedule)) {
        CalcOutcome outcome = refusal(CalcStatus::PercentageFeeInvalid);
        outcome.bracketNumber = *bracket + 1;
        return outcome;
    }

    const double afterTax = (100 - taxRate) / 100;
    const double n = trade.shares;
    const double b = trade.wantedProfit;

    SellingPrice result;
    const double purchaseAmount = n * trade.purchasePrice;
    const std::optional<double> purchaseFee =
        Calcul_Frais(schedule, purchaseAmount, Lookup::Bounded);
    if (!purchaseFee)
        return refusal(CalcStatus::PurchaseOverLimit);
    result.purchaseFee = *purchaseFee;
    const double C = roundCents((purchaseAmount + *purchaseFee) / n);
    result.costPrice = C;
    // Only a settings file edited by hand can bring such fees; the labels must never show them.
    if (!isShownAmount(*purchaseFee) || !isShownAmount(C))
        return refusal(CalcStatus::PriceInvalid);

    const double cost = n * C;
    const double G =
        trade.percentMode ? ((b / 100 + 1) * C - C) * n / afterTax : (b / n) * n / afterTax;
    result.grossProfit = G;
    const Target target{n, cost, G, trade.percentMode};

    // A first guess at the sale amount, only to pick the bracket the search starts in.
    const double wanted = trade.percentMode ? (b / 100 + 1) * cost : cost + b;
    double amount = wanted + (wanted - cost) * afterTax;

    // Each pass solves the price inside the bracket of the current amount, then checks that the
    // amount at that price falls in the same bracket. Falling lower means every amount of that
    // bracket already reaches the target; falling higher means none does. After three passes
    // with no bracket confirmed, the price is held on the lower boundary of the lowest bracket
    // known to reach the target. For two brackets the passes alternate between, that is the
    // boundary between them, and the price one cent higher is costed in the bracket above it.
    std::array<bool, bracketCount> reachesTarget{};
    std::optional<int> boundaryBracket;
    double price = 0;
    for (int pass = 1;; ++pass) {
        const std::optional<int> k = boundedBracket(schedule, amount);
        if (!k)
            return refusal(CalcStatus::SaleOverLimit, result);
        price = priceInBracket(schedule, schedule.brackets[size_t(*k)], target);
        amount = n * price;
        const int k2 = openBracket(schedule, amount);
        result.passes = pass;
        if (k2 == *k)
            break;
        if (k2 < *k)
            reachesTarget[size_t(*k)] = true;
        if (pass < settlingPasses)
            continue;
        for (int j = 1; j < bracketCount; ++j) {
            if (reachesTarget[size_t(j)]) {
                boundaryBracket = j - 1;
                break;
            }
        }
        if (boundaryBracket)
            break;
        // Every pass so far landed above its bracket, so the next one starts higher: within
        // five brackets this ends in a confirmed bracket, a boundary or over the limit.
        if (pass >= bracketCount)
            return refusal(CalcStatus::PriceInvalid, result);
    }

    if (boundaryBracket)
        price = schedule.brackets[size_t(*boundaryBracket)].upper / n;
    result.unroundedPrice = price;
    if (!std::isfinite(price) || price < 0)
        return refusal(CalcStatus::PriceInvalid, result);

    const double p = roundCents(price);
    result.price = p;
    const double saleAmount = n * p;
    result.saleFee = *Calcul_Frais(schedule, saleAmount, Lookup::Open);
    // An exact price gives the target itself, not what the rounded price would bring in.
    const double B = roundCents(boundaryBracket ? (saleAmount - result.saleFee) - cost : G);
    result.profitBeforeTax = B;
    result.profitAfterTax = roundCents(B * afterTax);

    if (boundaryBracket) {
        result.inexact = true;
        const double p1 = p + 0.01;
        const double amount1 = p1 * n;
        const double fee1 = nextBracketFee(schedule, *boundaryBracket, amount1);
        result.nextCentPrice = p1;
        result.nextCentProfitAfterTax = roundCents(((amount1 - fee1) - cost) * afterTax);
    }

    if (!isShownAmount(p) || !isShownAmount(result.saleFee) ||
        !std::isfinite(result.profitBeforeTax) || !std::isfinite(result.profitAfterTax) ||
        !std::isfinite(result.nextCentProfitAfterTax))
        return refusal(CalcStatus::PriceInvalid, result);
    return CalcOutcome{CalcStatus::Done, 0, result};
}
