#include "FeeRules.h"

#include "NumberText.h"

Schedule scheduleFromTexts(const ScheduleTexts& texts)
{
    Schedule schedule;
    for (int i = 0; i < bracketCount; ++i) {
        const BracketTexts& bracket = texts.brackets[size_t(i)];
        schedule.brackets[size_t(i)] = {plainNumber(bracket.upper), plainNumber(bracket.fee),
                                        bracket.percentage};
    }
    schedule.minimum = plainNumber(texts.minimum);
    // A maximum of 0 next to a minimum is how users write "no maximum": applied after the
    // minimum, it would make every fee nothing.
    const double maximum = plainNumber(texts.maximum);
    schedule.maximum = maximum == 0 ? openBound : maximum;
    return schedule;
}

std::optional<int> boundedBracket(const Schedule& schedule, const TradeAmount& amount)
{
    for (int i = 0; i < bracketCount; ++i) {
        if (amountAtMost(amount, schedule.brackets[size_t(i)].upper))
            return i;
    }
    return std::nullopt;
}

int openBracket(const Schedule& schedule, const TradeAmount& amount)
{
    const int last = bracketCount - 1;
    for (int i = 0; i < last; ++i) {
        if (amountAtMost(amount, schedule.brackets[size_t(i)].upper))
            return i;
    }
    return last;
}

int lastBracketInUse(const Schedule& schedule)
{
    for (int i = 0; i < bracketCount; ++i) {
        if (schedule.brackets[size_t(i)].upper >= openBound)
            return i;
    }
    return bracketCount - 1;
}

double bracketFee(const Bracket& bracket, double amount)
{
    return bracket.percentage ? bracket.fee * amount / 100.0 : bracket.fee;
}

double limitedFee(const Schedule& schedule, double fee)
{
    if (schedule.minimum > fee)
        fee = schedule.minimum;
    if (schedule.maximum < fee)
        fee = schedule.maximum;
    return fee;
}

std::optional<double> Calcul_Frais(const Schedule& schedule, const TradeAmount& amount,
                                   Lookup lookup)
{
    const std::optional<int> bracket = lookup == Lookup::Bounded
                                           ? boundedBracket(schedule, amount)
                                           : std::optional<int>(openBracket(schedule, amount));
    if (!bracket)
        return std::nullopt;
    return limitedFee(schedule, bracketFee(schedule.brackets[size_t(*bracket)], amount.value()));
}
