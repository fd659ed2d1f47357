#pragma once

#include "CalcOutcome.h"
#include "FeeRules.h"
#include "Holding.h"
#include "Position.h"
#include "PriceRounding.h"
#include "TransactionTax.h"

#include <optional>

// What the user asks of a position: the shares to sell (all when none is given), the profit
// wanted on their cost, the capital-gains tax rate and the schedule the sale is made with.
struct PositionSaleRequest
{
    Schedule schedule;
    std::optional<qint64> shares;
    double wantedProfit = 0;
    bool percentMode = true;
    double taxRate = 0;
    PriceRounding rounding = PriceRounding::Nearest;
};

// The sale tax of a position as the search takes it; nothing when its texts are not numbers.
std::optional<TransactionTax> saleTaxOf(const Position& position);

// The minimum selling price of shares of the position, by the one search of the calculator from
// their cost at the average cost price. Nothing when the position holds none of them or the
// shares asked for are more than it holds.
std::optional<CalcOutcome> sellingPriceOf(const Position& position,
                                          const PositionSaleRequest& request);

// The fee a schedule charges for a trade, to the cent, to prefill a purchase or a sale; nothing
// over the limit.
std::optional<Money> scheduleFee(const Schedule& schedule, qint64 shares, Money price);

// A rate in per cent applied to an amount and capped, to the cent, to prefill the taxes paid.
Money taxOn(const QString& rate, const QString& cap, Money amount);
