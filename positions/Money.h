#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <compare>
#include <optional>

// An amount of euros as a whole number of millionths: what a statement shows (cents, and the
// four decimals some prices carry) is held exactly, and sums never drift as binary fractions do.
class Money
{
public:
    static constexpr qint64 unitsPerEuro = 1'000'000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static constexpr Money fromCents(qint64 cents) { return Money(cents * 10'000); }

    // A decimal written with "." or ",", no group separators, an optional minus sign and at most
    // six decimals; nothing for anything else, or beyond a trillion euros.
    static std::optional<Money> parse(QStringView text);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / unitsPerEuro; }
    // To the cent, a half cent away from zero, as a statement rounds.
    Money roundedToCents() const;
    // The shortest decimal with a point: "12.5", "-0.004", "100".
    QString text() const;
    // Two decimals with a point: "12.50".
    QString centsText() const;

    // This amount × numerator / denominator, to the unit, a half away from zero: the cost of part
    // of a holding, or a rate applied to an amount.
    Money scaled(qint64 numerator, qint64 denominator) const;

    constexpr Money operator+(Money other) const { return Money(m_units + other.m_units); }
    constexpr Money operator-(Money other) const { return Money(m_units - other.m_units); }
    constexpr Money operator-() const { return Money(-m_units); }
    constexpr Money& operator+=(Money other)
    {
        m_units += other.m_units;
        return *this;
    }
    constexpr Money& operator-=(Money other)
    {
        m_units -= other.m_units;
        return *this;
    }
    // A price times a number of shares.
    constexpr Money operator*(qint64 shares) const { return Money(m_units * shares); }

    friend constexpr auto operator<=>(Money, Money) = default;

private:
    constexpr explicit Money(qint64 units) : m_units(units) {}

    qint64 m_units = 0;
};
