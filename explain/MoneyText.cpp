#include "MoneyText.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

QString moneyText(double euros, const QLocale& locale, int decimals)
{
    // Only a settings file edited by hand brings a fee too large for a number; it reads as
    // no amount at all rather than "inf".
    if (!std::isfinite(euros))
        return u"—"_s;
    // A loss of less than half a cent would read "-0,00 €".
    if (euros < 0 && euros > -0.5 * std::pow(10.0, -decimals))
        euros = 0;
    // Some locales write a negative sum in parentheses, which reads badly among sums.
    QString text = euros < 0
                       ? locale.negativeSign() + locale.toCurrencyString(-euros, u"€"_s, decimals)
                       : locale.toCurrencyString(euros, u"€"_s, decimals);
    // Qt's line breaking may split a sum at the narrow no-break space some locales group with.
    return text.replace(QChar(0x202f), QChar(0x00a0));
}

QString percentText(double percent, const QLocale& locale)
{
    if (!std::isfinite(percent))
        return u"— %"_s;
    QString text = locale.toString(percent, 'f', 4);
    const QString point = locale.decimalPoint();
    const qsizetype decimalsAt = text.indexOf(point);
    while (decimalsAt >= 0 && text.size() > decimalsAt + point.size() + 2 && text.endsWith(u'0'))
        text.chop(1);
    return text + u" %"_s;
}

QString sharesText(double shares, const QLocale& locale)
{
    return locale.toString(shares, 'f', 0);
}
