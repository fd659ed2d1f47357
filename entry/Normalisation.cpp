#include "Normalisation.h"

namespace {

bool startsWithZeroNotBeforePoint(const QString& text)
{
    return text.startsWith(QLatin1Char('0')) && (text.size() < 2 || text.at(1) != QLatin1Char('.'));
}

} // namespace

QString withLeadingZero(const QString& text)
{
    if (!text.startsWith(QLatin1Char('.')))
        return text;
    return QLatin1Char('0') + text;
}

QString tidyDecimal(const QString& text)
{
    QString tidy = text;
    // A lone "0" is kept: only a zero followed by something other than the point goes.
    while (tidy.size() >= 2 && startsWithZeroNotBeforePoint(tidy))
        tidy.remove(0, 1);
    // Without a point, trailing zeros are part of the integer (120 stays 120).
    if (tidy.contains(QLatin1Char('.'))) {
        while (tidy.endsWith(QLatin1Char('0')))
            tidy.chop(1);
    }
    if (tidy.endsWith(QLatin1Char('.')))
        tidy.chop(1);
    return tidy;
}

QString tidyCount(const QString& text)
{
    QString tidy = text;
    while (tidy.startsWith(QLatin1Char('0')))
        tidy.remove(0, 1);
    return tidy;
}

QString tidyBound(const QString& text)
{
    QString tidy = text;
    while (startsWithZeroNotBeforePoint(tidy))
        tidy.remove(0, 1);
    return tidy;
}

QString tidyFirstLowerBound(const QString& text)
{
    // Whatever the bound clean-up leaves, even nothing from "000", the answer is "0": only an
    // empty field stays empty.
    if (text.isEmpty())
        return text;
    return QStringLiteral("0");
}
