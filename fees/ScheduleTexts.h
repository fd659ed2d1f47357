#pragma once

#include <QString>

#include <array>

// One bracket of the fee page as the user typed it: bounds and fee are texts, exactly as shown.
struct BracketTexts
{
    QString lower;
    QString upper;
    QString fee;
    bool percentage = false; // otherwise the fee is a fixed sum

    // A bracket is empty when its three texts are; its fee type does not count.
    bool isEmpty() const { return lower.isEmpty() && upper.isEmpty() && fee.isEmpty(); }

    friend bool operator==(const BracketTexts&, const BracketTexts&) = default;
};

inline constexpr int bracketCount = 5;

// The whole fee page: five brackets, then the minimum and maximum fee per trade.
struct ScheduleTexts
{
    std::array<BracketTexts, bracketCount> brackets;
    QString minimum;
    QString maximum;

    friend bool operator==(const ScheduleTexts&, const ScheduleTexts&) = default;
};

// The upper bound that leaves the last bracket open; also the largest trade amount accepted.
inline QString openBoundText()
{
    return QStringLiteral("99999999");
}
inline constexpr double openBound = 99999999.0;
