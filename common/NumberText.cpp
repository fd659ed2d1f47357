#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Qt's 'g' format with 15 significant digits is the shortest text that keeps those digits and
// drops trailing zeros, which is what both formats need.
QString fifteenDigits(double magnitude)
{
    return QString::number(magnitude, 'g', 15);
}

} // namespace

double plainNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;

    std::string digits;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-')
            digits += '-';
        ++i;
    }
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            digits += char(c.unicode());
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            digits += '.';
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;

    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too many digits either way: a whole part other than zero overflows, a long run of
        // zeros after the point underflows to nothing.
        const bool negative = digits.front() == '-';
        const std::size_t point = std::min(digits.find('.'), digits.size());
        const bool overflows = digits.find_first_not_of('0', negative ? 1 : 0) < point;
        if (!overflows)
            return negative ? -0.0 : 0.0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    return error == std::errc() ? value : 0.0;
}

double roundCents(double value)
{
    // From 2^52 on a double holds no fraction at all, and multiplying it by 100 could overflow.
    if (!std::isfinite(value) || std::fabs(value) >= 0x1p52)
        return value;
    // rint honours the default round-to-nearest-even mode, so 12.5 cents becomes 12.
    return std::rint(value * 100.0) / 100.0;
}

QString signBlankText(double value)
{
    QString digits = fifteenDigits(std::fabs(value));
    if (digits.startsWith(QLatin1String("0.")))
        digits.remove(0, 1);
    return (value < 0 ? QLatin1String("-") : QLatin1String(" ")) + digits;
}

QString regionalText(double value, const QLocale& locale)
{
    QString text = fifteenDigits(std::fabs(value));
    text.replace(u'.', locale.decimalPoint());
    return value < 0 ? QLatin1String("-") + text : text;
}

double regionalNumber(const QString& text, const QLocale& locale)
{
    // A hand-edited file may hold either separator whatever the user's settings, so the point,
    // the comma and the locale's own separator all count as the decimal separator.
    QString normalised = text.trimmed();
    normalised.replace(locale.decimalPoint(), QLatin1String("."));
    normalised.replace(u',', u'.');
    return plainNumber(normalised);
}

QString displayText(QString text)
{
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}
