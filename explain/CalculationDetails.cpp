#include "CalculationDetails.h"

#include "NumberText.h"
#include "SellingPriceSearch.h"

#include <algorithm>

QList<double> ladderTargets(const Trade& trade)
{
    const double own = trade.wantedProfit;
    QList<double> targets = trade.percentMode ? QList<double>{0, 5, 10, 15, 20, 25, 30, own}
                                              : QList<double>{0, own / 2, own, own * 2, own * 3};
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    return targets;
}

std::optional<CalculationDetails> explainCalculation(const CalculationInput& input)
{
    const Schedule& schedule = input.schedule;
    const Trade& trade = input.trade;
    const double taxRate = input.taxRate;
    const std::optional<SharesSale>& held = input.held;
    const CalcOutcome outcome = held ? findSalePrice(schedule, *held, taxRate, input.rounding)
                                     : findSellingPrice(schedule, trade, taxRate, input.rounding);
    if (!outcome.ok())
        return std::nullopt;

    CalculationDetails details;
    details.schedule = schedule;
    details.trade = trade;
    details.taxRate = taxRate;
    details.held = held;
    details.result = outcome.result;
    if (held) {
        details.trade = Trade{held->costPrice, held->shares, held->wantedProfit, held->percentMode};
        details.basis = CostBasis{held->shares, outcome.result.costPrice, (100 - taxRate) / 100,
                                  outcome.result.grossProfit, held->saleTax};
    } else {
        details.purchase =
            feeBreakdown(schedule, TradeAmount{trade.shares, trade.purchasePrice}, Lookup::Bounded);
        details.basis = costBasis(outcome.result, trade, taxRate);
    }
    details.wantedAfterTax = roundCents(details.basis.grossWanted * details.basis.afterTax);
    details.sale = saleAtPrice(schedule, details.basis, outcome.result.price);
    if (outcome.result.inexact)
        details.nextCent = saleAtPrice(schedule, details.basis, outcome.result.nextCentPrice);

    for (const double wanted : ladderTargets(details.trade)) {
        Trade other = trade;
        other.wantedProfit = wanted;
        std::optional<SharesSale> otherHeld = held;
        if (otherHeld)
            otherHeld->wantedProfit = wanted;
        LadderRow row{otherHeld ? lowestPriceFor(schedule, *otherHeld, taxRate)
                                : lowestPriceFor(schedule, other, taxRate),
                      wanted == details.trade.wantedProfit};
        if (row.own)
            details.lowest = row.target;
        if (wanted == 0)
            details.breakEven = row.target;
        details.ladder.append(row);
    }
    return details;
}
