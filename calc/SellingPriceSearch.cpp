#include "SellingPriceSearch.h"

#include "BracketPrice.h"
#include "NumberText.h"

#include <cmath>

namespace {

// The lowest price per share whose sale reaches the target. Exact when it lies inside the
// bracket whose fee it was solved with; otherwise every amount of a bracket reaches the target
// while none below it does, and the price is held on the boundary under that bracket, a sale
// amount that is itself still costed in the bracket below.
struct Answer
{
    double price = 0;
    std::optional<double> boundary;
};

// Each bracket's amounts lie above those of every bracket before it, so the first bracket that
// holds an answer holds the lowest one. Nothing when even the last bracket in use, the one
// open to the largest amount the program takes, cannot reach the target.
std::optional<Answer> lowestAnswer(const Schedule& schedule, const SaleTarget& target)
{
    for (int j = 0; j <= lastBracketInUse(schedule); ++j) {
        const Bracket& bracket = schedule.brackets[size_t(j)];
        const double price = priceInBracket(schedule, bracket, target);
        const int landed = openBracket(schedule, target.shares * price);
        if (landed == j)
            return Answer{price, std::nullopt};
        if (landed < j) {
            const double boundary = schedule.brackets[size_t(j - 1)].upper;
            return Answer{boundary / target.shares, boundary};
        }
    }
    return std::nullopt;
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
    const SaleTarget target{n, cost, G, trade.percentMode};

    const std::optional<Answer> answer = lowestAnswer(schedule, target);
    if (!answer)
        return refusal(CalcStatus::SaleOverLimit, result);
    result.unroundedPrice = answer->price;
    if (!std::isfinite(answer->price) || answer->price < 0)
        return refusal(CalcStatus::PriceInvalid, result);

    const double cents = answer->boundary ? centsWithin(*answer->boundary, n) : 0;
    const double p = answer->boundary ? cents / 100 : roundCents(answer->price);
    result.price = p;
    const double saleAmount = n * p;
    if (saleAmount > openBound)
        return refusal(CalcStatus::SaleOverLimit, result);
    result.saleFee = *Calcul_Frais(schedule, saleAmount, Lookup::Open);
    // An exact price gives the target itself, not what the rounded price would bring in.
    const double B = roundCents(answer->boundary ? (saleAmount - result.saleFee) - cost : G);
    result.profitBeforeTax = B;
    result.profitAfterTax = roundCents(B * afterTax);

    if (answer->boundary) {
        // One cent more is a real sale above the boundary, with the limits of any sale.
        result.inexact = true;
        result.boundary = *answer->boundary;
        const double p1 = (cents + 1) / 100;
        const double amount1 = p1 * n;
        const double fee1 = *Calcul_Frais(schedule, amount1, Lookup::Open);
        result.nextCentPrice = p1;
        result.nextCentProfitAfterTax = roundCents(((amount1 - fee1) - cost) * afterTax);
    }

    if (!isShownAmount(p) || !isShownAmount(result.saleFee) ||
        !std::isfinite(result.profitBeforeTax) || !std::isfinite(result.profitAfterTax) ||
        !std::isfinite(result.nextCentProfitAfterTax))
        return refusal(CalcStatus::PriceInvalid, result);
    return CalcOutcome{CalcStatus::Done, 0, result};
}
