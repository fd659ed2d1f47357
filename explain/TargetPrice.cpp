#include "TargetPrice.h"

#include "BracketPrice.h"
#include "SellingPriceSearch.h"

#include <algorithm>
#include <cmath>

namespace {

// From the cent below a bracket's own price, the first cent that reaches the target is at most
// this many cents higher; further on, the price was not a number worth trying.
constexpr int centsToTry = 4;

// The cents of every bracket lie above those of the brackets before it, so the first bracket
// holding a cent that reaches the target holds the lowest one. A bracket whose own price lies
// at its very top may hold no such cent: the target is then met only in a bracket above.
std::optional<SaleAtPrice> lowestCent(const Schedule& schedule, const CostBasis& basis,
                                      bool percentMode)
{
    const double n = basis.shares;
    const SaleTarget target{n, basis.outlay(), basis.grossWanted, percentMode};
    const int last = lastBracketInUse(schedule);
    double below = -1; // the highest cent of the brackets already tried
    for (int j = 0; j <= last; ++j) {
        const Bracket& bracket = schedule.brackets[size_t(j)];
        const double top = centsWithin(j == last ? openBound : bracket.upper, n);
        const double price = priceInBracket(schedule, bracket, target);
        if (std::isfinite(price) && std::isfinite(top)) {
            double cent = std::max(below + 1, std::floor(price * 100) - 1);
            for (int i = 0; i < centsToTry && cent <= top; ++i, ++cent) {
                const SaleAtPrice sale = saleAtPrice(schedule, basis, cent / 100);
                if (sale.reachesWanted)
                    return sale;
            }
        }
        below = top;
    }
    return std::nullopt;
}

} // namespace

CostBasis costBasis(const SellingPrice& result, const Trade& trade, double taxRate)
{
    return {trade.shares, result.costPrice, (100 - taxRate) / 100, result.grossProfit};
}

TargetPrice lowestPriceFor(const Schedule& schedule, const Trade& trade, double taxRate)
{
    TargetPrice target;
    target.wantedProfit = trade.wantedProfit;
    const CalcOutcome outcome = findSellingPrice(schedule, trade, taxRate);
    target.status = outcome.status;
    if (!outcome.ok())
        return target;

    target.inexact = outcome.result.inexact;
    const std::optional<SaleAtPrice> sale =
        lowestCent(schedule, costBasis(outcome.result, trade, taxRate), trade.percentMode);
    if (!sale) {
        target.status = CalcStatus::SaleOverLimit;
        return target;
    }
    target.sale = *sale;
    return target;
}
