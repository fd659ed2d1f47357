#include "TargetPrice.h"

#include "LowestCent.h"
#include "SellingPriceSearch.h"

namespace {

std::optional<SaleAtPrice> lowestCent(const Schedule& schedule, const CostBasis& basis,
                                      bool percentMode)
{
    const SaleTarget target{basis.shares, basis.outlay(), basis.grossWanted, percentMode};
    const std::optional<double> cents = lowestReachingCents(schedule, target);
    if (!cents)
        return std::nullopt;
    return saleAtPrice(schedule, basis, *cents / 100);
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
