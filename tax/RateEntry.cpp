#include "RateEntry.h"

#include "Normalisation.h"

QString tidyRate(const QString& rateText)
{
    // An empty box, or one with no number in it, is a rate of 0 and says so, where the clean-up
    // of the trade fields would leave an empty text empty.
    const QString text = rateValue(rateText, QLocale::c()) == 0 ? QStringLiteral("0") : rateText;
    return tidyDecimal(withLeadingZero(text));
}

std::optional<RateRefusal> checkRates(const RateTexts& rates, const QLocale& locale)
{
    const double first = rateValue(rates[0], locale);
    const double second = rateValue(rates[1], locale);
    const double third = rateValue(rates[2], locale);

    if (first > 100)
        return RateRefusal{0, QStringLiteral("Le taux n°1 doit être inférieur ou égal à 100")};
    if (second > 100)
        return RateRefusal{1, QStringLiteral("Le taux n°2 doit être inférieur ou égal à 100")};
    if (third > 100)
        return RateRefusal{2, QStringLiteral("Le taux n°3 doit être inférieur ou égal à 100")};
    if (first >= second)
        return RateRefusal{
            1, QStringLiteral("Le taux n°2 doit être strictement supérieur au taux n°1")};
    if (second >= third)
        return RateRefusal{
            2, QStringLiteral("Le taux n°3 doit être strictement supérieur au taux n°2")};
    return std::nullopt;
}
