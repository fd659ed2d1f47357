#pragma once

#include "PriceRounding.h"
#include "SharesSale.h"
#include "TargetPrice.h"

#include <QList>

#include <optional>

// What a calculation that went through was made of.
struct CalculationInput
{
    Schedule schedule;
    Trade trade;
    double taxRate = 0;
    PriceRounding rounding = PriceRounding::Nearest;
    // Shares of a position, costed at its average cost price and sold with its sale tax: the
    // trade then only says their number, cost price and wanted profit, and no purchase is
    // looked up in the schedule.
    std::optional<SharesSale> held = std::nullopt;
};

// One row of the ladder of wanted profits.
struct LadderRow
{
    TargetPrice target;
    bool own = false; // the wanted profit of the calculation itself
};

// Everything the details window shows of one calculation that went through.
struct CalculationDetails
{
    Schedule schedule;
    Trade trade;
    double taxRate = 0;
    std::optional<SharesSale> held; // as in the input
    FeeBreakdown purchase;          // its amount is n × the purchase price; none for held shares
    CostBasis basis;
    double wantedAfterTax = 0; // the wanted profit in euros, after tax
    SellingPrice result;       // as the result labels show it
    SaleAtPrice sale;          // at the price shown
    SaleAtPrice nextCent;      // at one cent more, when the result is inexact
    TargetPrice lowest;        // the first cent that really reaches the wanted profit
    TargetPrice breakEven;     // the first cent that loses nothing
    QList<LadderRow> ladder;
};

// The wanted profits of the ladder, in the trade's mode: in per cent 0 to 30 by fives with the
// trade's own value in its place; in euros 0, half, once, twice and three times the trade's.
QList<double> ladderTargets(const Trade& trade);

// Nothing when the calculation itself does not go through.
std::optional<CalculationDetails> explainCalculation(const CalculationInput& input);
