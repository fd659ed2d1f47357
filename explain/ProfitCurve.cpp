#include "ProfitCurve.h"

#include <algorithm>
#include <cmath>

namespace {

// The profit before tax of selling at a price with the fee of one given bracket, whatever
// bracket the open lookup would give the amount: both sides of a boundary are costed apart.
double grossInBracket(const Schedule& schedule, const CostBasis& basis, int bracket, double price)
{
    const double amount = basis.shares * price;
    const double fee = limitedFee(schedule, bracketFee(schedule.brackets[size_t(bracket)], amount));
    return ((amount - fee) - basis.saleTax.on(amount)) - basis.outlay();
}

double profitInBracket(const Schedule& schedule, const CostBasis& basis, int bracket, double price)
{
    return basis.afterTaxOf(grossInBracket(schedule, basis, bracket, price));
}

// Where a percentage bracket's fee meets the minimum or the maximum, as prices per share.
QList<std::pair<double, FeeLimit>> kinks(const Schedule& schedule, const Bracket& bracket,
                                         double shares)
{
    if (!bracket.percentage || !(bracket.fee > 0))
        return {};
    QList<std::pair<double, FeeLimit>> prices;
    if (schedule.minimum > 0)
        prices.append({100 * schedule.minimum / bracket.fee / shares, FeeLimit::Minimum});
    if (schedule.maximum < openBound)
        prices.append({100 * schedule.maximum / bracket.fee / shares, FeeLimit::Maximum});
    return prices;
}

struct Span
{
    double from;
    double to;
};

Span chartSpan(const CalculationDetails& details, std::optional<double> shown)
{
    const double n = details.basis.shares;
    const double minimum = details.result.price;
    const double start = details.breakEven.ok() ? std::min(details.breakEven.sale.price, minimum)
                                                : details.basis.costPrice;
    const double reach = 2 * std::max(minimum - start, 0.05);
    double below = -1; // the nearest boundary under the minimum price
    double above = -1; // the nearest boundary at or over it
    for (int j = 0; j < lastBracketInUse(details.schedule); ++j) {
        const double boundary = details.schedule.brackets[size_t(j)].upper / n;
        if (boundary < minimum)
            below = boundary;
        else if (above < 0)
            above = boundary;
    }
    double from = below >= 0 && below >= minimum - reach ? std::min(start, below) : start;
    double to = above >= 0 && above <= minimum + reach ? above : minimum;
    if (shown) {
        from = std::min(from, *shown);
        to = std::max(to, *shown);
    }
    // Past the last price of interest by a quarter of the span, so the bracket above shows.
    const double width = std::max(to - from, 0.05);
    return {std::max(0.0, from - 0.05 * width), to + 0.25 * width};
}

} // namespace

double ProfitCurve::profitAt(double price) const
{
    for (const CurveSegment& segment : segments) {
        if (price < segment.fromPrice || price > segment.toPrice)
            continue;
        if (price == segment.fromPrice && segment.opensOnBoundary)
            continue;
        const double width = segment.toPrice - segment.fromPrice;
        const double t = width > 0 ? (price - segment.fromPrice) / width : 0;
        return segment.fromProfit + t * (segment.toProfit - segment.fromProfit);
    }
    return std::nan("");
}

ProfitCurve profitCurve(const CalculationDetails& details, std::optional<double> shown)
{
    const Schedule& schedule = details.schedule;
    const CostBasis& basis = details.basis;
    const double n = basis.shares;
    const Span span = chartSpan(details, shown);

    ProfitCurve curve;
    curve.fromPrice = span.from;
    curve.toPrice = span.to;
    curve.wantedProfit = details.wantedAfterTax;
    curve.minimumPrice = details.result.price;
    curve.minimumProfit = details.sale.profitAfterTax;

    const int last = lastBracketInUse(schedule);
    for (int j = 0; j <= last; ++j) {
        const double lower = j == 0 ? 0 : schedule.brackets[size_t(j - 1)].upper / n;
        const double upper = j == last ? openBound / n : schedule.brackets[size_t(j)].upper / n;
        const double from = std::max(lower, span.from);
        const double to = std::min(upper, span.to);
        if (!(from < to))
            continue;
        if (j > 0 && lower > span.from)
            curve.boundaries.append({lower, profitInBracket(schedule, basis, j - 1, lower),
                                     profitInBracket(schedule, basis, j, lower)});
        QList<double> cuts{from};
        for (const auto& [kink, limit] : kinks(schedule, schedule.brackets[size_t(j)], n)) {
            if (kink > from && kink < to) {
                cuts << kink;
                curve.limits.append({kink, profitInBracket(schedule, basis, j, kink), limit});
            }
        }
        std::sort(cuts.begin(), cuts.end());
        cuts << to;
        // The profit before tax is straight between two cuts; where it crosses zero the tax
        // starts to take its part, and the curve bends.
        for (qsizetype i = 0; i + 1 < cuts.size(); ++i) {
            const double low = grossInBracket(schedule, basis, j, cuts[i]);
            const double high = grossInBracket(schedule, basis, j, cuts[i + 1]);
            if ((low < 0) != (high < 0) && low != high) {
                const double zero = cuts[i] + (cuts[i + 1] - cuts[i]) * -low / (high - low);
                if (zero > cuts[i] && zero < cuts[i + 1])
                    cuts.insert(++i, zero);
            }
        }
        for (qsizetype i = 0; i + 1 < cuts.size(); ++i) {
            const CurveSegment segment{
                cuts[i],     profitInBracket(schedule, basis, j, cuts[i]),
                cuts[i + 1], profitInBracket(schedule, basis, j, cuts[i + 1]),
                j,           i == 0 && j > 0 && cuts[i] == lower};
            curve.segments.append(segment);
        }
    }

    curve.lowestProfit = curve.highestProfit = curve.wantedProfit;
    for (const CurveSegment& segment : curve.segments) {
        curve.lowestProfit = std::min({curve.lowestProfit, segment.fromProfit, segment.toProfit});
        curve.highestProfit = std::max({curve.highestProfit, segment.fromProfit, segment.toProfit});
    }
    return curve;
}
