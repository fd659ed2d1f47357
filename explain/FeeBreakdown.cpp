#include "FeeBreakdown.h"

FeeBreakdown feeBreakdown(const Schedule& schedule, const TradeAmount& trade, Lookup lookup)
{
    const double amount = trade.value();
    const std::optional<int> bounded =
        lookup == Lookup::Bounded ? boundedBracket(schedule, trade) : std::nullopt;
    const int bracket = bounded.value_or(openBracket(schedule, trade));

    FeeBreakdown breakdown;
    breakdown.bracket = bracket;
    breakdown.lower = bracket == 0 ? 0 : schedule.brackets[size_t(bracket - 1)].upper;
    breakdown.rule = schedule.brackets[size_t(bracket)];
    breakdown.upper = breakdown.rule.upper;
    breakdown.amount = amount;
    breakdown.unlimited = bracketFee(breakdown.rule, amount);
    breakdown.fee = limitedFee(schedule, breakdown.unlimited);
    // The minimum can only raise a fee and the maximum only lower it.
    if (breakdown.fee > breakdown.unlimited)
        breakdown.limit = FeeLimit::Minimum;
    else if (breakdown.fee < breakdown.unlimited)
        breakdown.limit = FeeLimit::Maximum;
    return breakdown;
}
