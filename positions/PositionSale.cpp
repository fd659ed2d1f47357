#include "PositionSale.h"

#include "NumberText.h"
#include "SellingPriceSearch.h"

#include <cmath>

std::optional<TransactionTax> saleTaxOf(const Position& position)
{
    TransactionTax tax;
    if (!position.saleTaxRate.isEmpty()) {
        const std::optional<Money> rate = Money::parse(position.saleTaxRate);
        if (!rate)
            return std::nullopt;
        tax.rate = rate->toDouble();
    }
    if (!position.saleTaxCap.isEmpty()) {
        const std::optional<Money> cap = Money::parse(position.saleTaxCap);
        if (!cap)
            return std::nullopt;
        tax.cap = cap->toDouble();
    }
    return tax;
}

std::optional<CalcOutcome> sellingPriceOf(const Position& position,
                                          const PositionSaleRequest& request)
{
    const PositionHistory history = replay(position.movements);
    const Holding& holding = history.holding;
    const qint64 shares = request.shares.value_or(holding.shares);
    if (!history.ok() || shares <= 0 || shares > holding.shares)
        return std::nullopt;
    const std::optional<TransactionTax> saleTax = saleTaxOf(position);
    if (!saleTax)
        return std::nullopt;
    const SharesSale sale{double(shares), holding.costPrice(), request.wantedProfit,
                          request.percentMode, *saleTax};
    return findSalePrice(request.schedule, sale, request.taxRate, request.rounding);
}

std::optional<Money> scheduleFee(const Schedule& schedule, qint64 shares, Money price)
{
    const std::optional<double> fee =
        Calcul_Frais(schedule, TradeAmount{double(shares), price.toDouble()}, Lookup::Bounded);
    if (!fee || !std::isfinite(*fee))
        return std::nullopt;
    return Money::fromCents(std::llround(roundCents(*fee) * 100));
}

Money taxOn(const QString& rate, const QString& cap, Money amount)
{
    const std::optional<Money> percent = Money::parse(rate);
    if (!percent)
        return Money();
    // The rate in millionths of a per cent: amount × units / (100 × 10^6).
    Money tax = amount.scaled(percent->units(), 100 * Money::unitsPerEuro).roundedToCents();
    if (const std::optional<Money> limit = Money::parse(cap); limit && tax > *limit)
        tax = *limit;
    return tax;
}
