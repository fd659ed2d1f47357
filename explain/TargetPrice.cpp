#include "TargetPrice.h"

#include "LowestCent.h"
#include "SellingPriceSearch.h"

namespace {

std::optional<SaleAtPrice> lowestCent(const Schedule& schedule, const CostBasis& basis,
                                      bool percentMode)
{
    const SaleTarget target{basis.shares, basis.outlay(), basis.grossWanted, percentMode,
                            basis.saleTax};
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

namespace {

TargetPrice lowestPriceFrom(const Schedule& schedule, const CalcOutcome& outcome,
                            const CostBasis& basis, double wantedProfit, bool percentMode)
{
    TargetPrice target;
    target.wantedProfit = wantedProfit;
    target.status = outcome.status;
    if (!outcome.ok())
        return target;

    target.inexact = outcome.result.inexact;
    const std::optional<SaleAtPrice> sale = lowestCent(schedule, basis, percentMode);
    if (!sale) {
        target.status = CalcStatus::SaleOverLimit;
        return target;
    }
    target.sale = *sale;
    return target;
}

} // namespace

TargetPrice lowestPriceFor(const Schedule& schedule, const Trade& trade, double taxRate)
{
    const CalcOutcome outcome = findSellingPrice(schedule, trade, taxRate);
    return lowestPriceFrom(schedule, outcome, costBasis(outcome.result, trade, taxRate),
                           trade.wantedProfit, trade.percentMode);
}

TargetPrice lowestPriceFor(const Schedule& schedule, const SharesSale& sale, double taxRate)
{
    const CalcOutcome outcome = findSalePrice(schedule, sale, taxRate);
    CostBasis basis{sale.shares, outcome.result.costPrice, (100 - taxRate) / 100,
                    outcome.result.grossProfit, sale.saleTax};
    return lowestPriceFrom(schedule, outcome, basis, sale.wantedProfit, sale.percentMode);
}
