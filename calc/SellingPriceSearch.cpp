#include "SellingPriceSearch.h"

#include "BracketPrice.h"
#include "LowestCent.h"
#include "NumberText.h"
#include "TaxedProfit.h"

#include <cmath>

namespace {

// The lowest price per share whose sale reaches the target. Exact when it lies inside the
// bracket whose fee it was solved with; otherwise every amount of a bracket reaches the target
// while none below it does, and the price is held on the boundary under that bracket, a sale
// amount that is itself still costed in the bracket below.
struct Answer
{
    double price = 0;
    int bracket = 0; // whose fee the price was solved with
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
        const int landed = solvedBracket(schedule, target.shares * price);
        if (landed == j)
            return Answer{price, j, std::nullopt};
        if (landed < j) {
            const double boundary = schedule.brackets[size_t(j - 1)].upper;
            return Answer{boundary / target.shares, j - 1, boundary};
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

std::optional<CalcOutcome> refusedInputs(const Schedule& schedule, double taxRate)
{
    // A rate of 100 % divides the gross profit by zero, and above it flips its sign. Minus
    // infinity, from a file edited by hand, would take all of a gain and leave a loss as it is.
    if (!(taxRate < 100) || !std::isfinite(taxRate))
        return refusal(CalcStatus::TaxRateInvalid);
    if (const std::optional<int> bracket = refusedPercentageBracket(schedule)) {
        CalcOutcome outcome = refusal(CalcStatus::PercentageFeeInvalid);
        outcome.bracketNumber = *bracket + 1;
        return outcome;
    }
    return std::nullopt;
}

// The search itself, from the cost price of the shares sold: the purchase is already costed.
CalcOutcome searchSale(const Schedule& schedule, const SharesSale& sale, double taxRate,
                       PriceRounding rounding, SellingPrice result)
{
    const double afterTax = (100 - taxRate) / 100;
    const double n = sale.shares;
    const double b = sale.wantedProfit;
    const double C = sale.costPrice;
    const TransactionTax& saleTax = sale.saleTax;
    // A sale tax that with the fee would take the whole amount leaves no price to find.
    if (!(saleTax.rate >= 0 && saleTax.rate < 100) || !(saleTax.cap >= 0))
        return refusal(CalcStatus::PriceInvalid, result);

    const double cost = n * C;
    const double G =
        sale.percentMode ? ((b / 100 + 1) * C - C) * n / afterTax : (b / n) * n / afterTax;
    result.grossProfit = G;
    const SaleTarget target{n, cost, G, sale.percentMode, saleTax};

    const std::optional<Answer> answer = lowestAnswer(schedule, target);
    if (!answer)
        return refusal(CalcStatus::SaleOverLimit, result);
    result.unroundedPrice = answer->price;
    if (!std::isfinite(answer->price) || answer->price < 0)
        return refusal(CalcStatus::PriceInvalid, result);

    double cents = answer->boundary ? centsWithin(*answer->boundary, n) : 0;
    double p = answer->boundary ? cents / 100 : roundCents(answer->price);
    // An exact price is the target's own, unless its cent is not: rounded over a boundary, its
    // sale is costed in another bracket; rounded up on request, it must really bring the target
    // in. Either way the lowest cent whose real sale does is shown, with what it brings.
    const bool realSale =
        !answer->boundary && (rounding == PriceRounding::Up ||
                              openBracket(schedule, TradeAmount{n, p}) != answer->bracket);
    if (realSale) {
        const std::optional<double> reaching = lowestReachingCents(schedule, target);
        if (!reaching)
            return refusal(CalcStatus::SaleOverLimit, result);
        cents = *reaching;
        p = cents / 100;
    }
    result.price = p;
    const TradeAmount sold{n, p};
    const double saleAmount = sold.value();
    if (saleAmount > openBound)
        return refusal(CalcStatus::SaleOverLimit, result);
    result.saleFee = *Calcul_Frais(schedule, sold, Lookup::Open);
    result.saleTax = saleTax.on(saleAmount);
    // An exact price gives the target itself, not what the rounded price would bring in.
    const bool costed = answer->boundary || realSale;
    const double B =
        roundCents(costed ? ((saleAmount - result.saleFee) - result.saleTax) - cost : G);
    result.profitBeforeTax = B;
    result.profitAfterTax = roundCents(taxedProfit(B, afterTax));

    if (answer->boundary) {
        // One cent more is a real sale above the boundary, with the limits of any sale.
        result.inexact = true;
        result.boundary = *answer->boundary;
        const double p1 = (cents + 1) / 100;
        const TradeAmount next{n, p1};
        const double fee1 = *Calcul_Frais(schedule, next, Lookup::Open);
        result.nextCentPrice = p1;
        result.nextCentProfitAfterTax = roundCents(
            taxedProfit(((next.value() - fee1) - saleTax.on(next.value())) - cost, afterTax));
    }

    if (!isShownAmount(p) || !isShownAmount(result.saleFee) || !isShownAmount(result.saleTax) ||
        !std::isfinite(result.profitBeforeTax) || !std::isfinite(result.profitAfterTax) ||
        !std::isfinite(result.nextCentProfitAfterTax))
        return refusal(CalcStatus::PriceInvalid, result);
    return CalcOutcome{CalcStatus::Done, 0, result};
}

} // namespace

CalcOutcome findSellingPrice(const Schedule& schedule, const Trade& trade, double taxRate,
                             PriceRounding rounding)
{
    if (const std::optional<CalcOutcome> refused = refusedInputs(schedule, taxRate))
        return *refused;

    const double n = trade.shares;
    SellingPrice result;
    const TradeAmount purchase{n, trade.purchasePrice};
    const double purchaseAmount = purchase.value();
    const std::optional<double> purchaseFee = Calcul_Frais(schedule, purchase, Lookup::Bounded);
    if (!purchaseFee)
        return refusal(CalcStatus::PurchaseOverLimit);
    result.purchaseFee = *purchaseFee;
    const double C = roundCents((purchaseAmount + *purchaseFee) / n);
    result.costPrice = C;
    // Only a settings file edited by hand can bring such fees; the labels must never show them.
    if (!isShownAmount(*purchaseFee) || !isShownAmount(C))
        return refusal(CalcStatus::PriceInvalid);
    return searchSale(schedule, SharesSale{n, C, trade.wantedProfit, trade.percentMode, {}},
                      taxRate, rounding, result);
}

CalcOutcome findSalePrice(const Schedule& schedule, const SharesSale& sale, double taxRate,
                          PriceRounding rounding)
{
    if (const std::optional<CalcOutcome> refused = refusedInputs(schedule, taxRate))
        return *refused;
    SellingPrice result;
    result.costPrice = sale.costPrice;
    if (!isShownAmount(sale.costPrice) || !(sale.shares >= 1))
        return refusal(CalcStatus::PriceInvalid);
    return searchSale(schedule, sale, taxRate, rounding, result);
}
