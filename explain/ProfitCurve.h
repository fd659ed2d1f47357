#pragma once

#include "CalculationDetails.h"

#include <QList>

#include <optional>

// One straight piece of the profit after tax against the selling price per share: within it
// the fee follows one rule (a bracket, and inside a percentage bracket the stretch where the
// minimum, the maximum or neither applies).
struct CurveSegment
{
    double fromPrice = 0;
    double fromProfit = 0;
    double toPrice = 0;
    double toProfit = 0;
    int bracket = 0;              // 0-based
    bool opensOnBoundary = false; // its first price is sold in the bracket below
};

// A bracket boundary inside the chart, as a price per share, with the profit after tax on
// either side of it.
struct CurveBoundary
{
    double price = 0;
    double profitBelow = 0; // sold in the bracket below
    double profitAbove = 0; // the limit just above, in the bracket above

    bool jumps() const { return profitBelow != profitAbove; }
};

// Where, inside a percentage bracket, the fee meets the minimum or the maximum: below a
// minimum's price and above a maximum's the limit applies.
struct CurveLimit
{
    double price = 0;
    double profit = 0;
    FeeLimit limit = FeeLimit::Minimum;
};

// The chart of one calculation: what it spans and the exact pieces of the curve.
struct ProfitCurve
{
    double fromPrice = 0;
    double toPrice = 0;
    double lowestProfit = 0;
    double highestProfit = 0;
    double wantedProfit = 0; // after tax
    double minimumPrice = 0; // as the result labels show it
    double minimumProfit = 0;
    QList<CurveSegment> segments;
    QList<CurveBoundary> boundaries;
    QList<CurveLimit> limits;

    // The profit after tax at a price within the chart, by the same costing as the segments.
    double profitAt(double price) const;
};

// From break-even (or the cost price, when nothing sells without a loss) to past the minimum
// price, widened to the nearest bracket boundary on each side of the minimum price where one
// lies within twice the distance from break-even to it, and to a price shown beside the curve.
ProfitCurve profitCurve(const CalculationDetails& details,
                        std::optional<double> shown = std::nullopt);
