#include "Money.h"

namespace {

// Products of an amount and a number of shares overflow 64 bits long before any sum does.
__extension__ typedef __int128 Wide;

constexpr qint64 largest = qint64(1'000'000'000'000) * Money::unitsPerEuro;

// numerator / denominator to the nearest whole number, a half away from zero.
qint64 roundedQuotient(Wide numerator, Wide denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const Wide half = denominator / 2;
    const Wide quotient =
        numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
    // An odd denominator's exact half cannot occur; an even one's rounds away from zero above.
    return qint64(quotient);
}

} // namespace

std::optional<Money> Money::parse(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (text.startsWith(u'-')) {
        negative = true;
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    qint64 whole = 0;
    qint64 fraction = 0;
    int decimals = 0;
    bool point = false;
    bool digits = false;
    for (const QChar c : text) {
        if (c == u'.' || c == u',') {
            if (point)
                return std::nullopt;
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digits = true;
        const int digit = c.unicode() - u'0';
        if (point) {
            if (++decimals > 6)
                return std::nullopt;
            fraction = fraction * 10 + digit;
        } else {
            whole = whole * 10 + digit;
            if (whole > largest / unitsPerEuro)
                return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    for (int i = decimals; i < 6; ++i)
        fraction *= 10;
    const qint64 units = whole * unitsPerEuro + fraction;
    return Money(negative ? -units : units);
}

Money Money::roundedToCents() const
{
    return Money(roundedQuotient(m_units, 10'000) * 10'000);
}

QString Money::text() const
{
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    QString result = QString::number(magnitude / unitsPerEuro);
    qint64 fraction = magnitude % unitsPerEuro;
    if (fraction != 0) {
        QString decimals = QString::number(fraction).rightJustified(6, u'0');
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        result += u'.' + decimals;
    }
    return m_units < 0 ? u'-' + result : result;
}

QString Money::centsText() const
{
    const qint64 cents = roundedQuotient(m_units, 10'000);
    const qint64 magnitude = cents < 0 ? -cents : cents;
    const QString text = QString::number(magnitude / 100) + u'.' +
                         QString::number(magnitude % 100).rightJustified(2, u'0');
    return cents < 0 ? u'-' + text : text;
}

Money Money::scaled(qint64 numerator, qint64 denominator) const
{
    if (denominator == 0)
        return Money();
    return Money(roundedQuotient(Wide(m_units) * numerator, denominator));
}
