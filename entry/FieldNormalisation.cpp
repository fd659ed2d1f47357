#include "FieldNormalisation.h"

#include "Normalisation.h"

namespace {

void apply(QString& text, QString (*cleanUp)(const QString&))
{
    text = cleanUp(text);
}

} // namespace

void normaliseFields(TradeTexts& trade, ScheduleTexts& schedule)
{
    // The number of shares is a count: a leading point is left for the count clean-up, which
    // does not read it as a number.
    apply(trade.price, withLeadingZero);
    apply(trade.profit, withLeadingZero);
    for (BracketTexts& bracket : schedule.brackets) {
        apply(bracket.lower, withLeadingZero);
        apply(bracket.upper, withLeadingZero);
        apply(bracket.fee, withLeadingZero);
    }
    apply(schedule.minimum, withLeadingZero);
    apply(schedule.maximum, withLeadingZero);

    apply(trade.price, tidyDecimal);
    apply(trade.shares, tidyCount);
    apply(trade.profit, tidyDecimal);
    bool first = true;
    for (BracketTexts& bracket : schedule.brackets) {
        apply(bracket.lower, first ? tidyFirstLowerBound : tidyBound);
        apply(bracket.upper, tidyBound);
        apply(bracket.fee, tidyDecimal);
        first = false;
    }
    apply(schedule.minimum, tidyDecimal);
    apply(schedule.maximum, tidyDecimal);
}
