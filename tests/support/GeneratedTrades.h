#pragma once

#include "FeeRules.h"
#include "Trade.h"

#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <cmath>

// A trade, its fee schedule and its tax rate, of every shape the fee page allows.
struct GeneratedTrade
{
    Schedule schedule;
    Trade trade;
    double taxRate = 0;
};

// The same seed gives the same trades, so a failure names a run that can be replayed.
class TradeGenerator
{
public:
    explicit TradeGenerator(quint32 seed) : m_random(seed) {}

    GeneratedTrade next()
    {
        GeneratedTrade generated;
        Trade& trade = generated.trade;
        trade.shares = 1 + m_random.bounded(2000);
        trade.purchasePrice = cents(between(0.5, 200));
        trade.percentMode = m_random.bounded(2) == 0;
        const double amount = trade.shares * trade.purchasePrice;
        trade.wantedProfit = trade.percentMode ? cents(between(0, 100)) : cents(between(0, amount));
        const double rates[] = {0, 10, 26, 32.5, cents(between(0, 90))};
        generated.taxRate = rates[m_random.bounded(5)];

        // Whole-euro bounds around the amounts this trade meets: the purchase, and the sale
        // the wanted profit roughly calls for, where a jump of the fee puts the search on a
        // boundary. A bracket always spans a few cents a share, or no price in cents could
        // fall inside it.
        const double profit =
            trade.percentMode ? amount * trade.wantedProfit / 100 : trade.wantedProfit;
        const double sale = amount + profit / ((100 - generated.taxRate) / 100);
        const double narrowest = 0.03 * trade.shares + 1;
        // Three shapes: bounds anywhere, bounds close around the sale, and bounds close around
        // the sale with fixed fees that fall from one bracket to the next.
        const int shape = m_random.bounded(3);
        const double spread = shape == 0 ? sale * 0.3 : sale * 0.04;
        Schedule& schedule = generated.schedule;
        const int inUse = 1 + m_random.bounded(bracketCount);
        double bound = std::floor(shape == 0 ? between(0, amount) : between(0.85, 1.05) * sale);
        for (int i = 0; i < inUse; ++i) {
            Bracket& bracket = schedule.brackets[size_t(i)];
            bracket.upper =
                i == inUse - 1 ? openBound : std::ceil(bound + narrowest + between(0, spread));
            bracket.percentage = shape != 2 && m_random.bounded(2) == 0;
            bracket.fee =
                bracket.percentage ? cents(between(0, 6)) : cents(between(0, sale * 0.06));
            bound = bracket.upper;
        }
        if (shape == 2) {
            const auto dearerFirst = [](const Bracket& x, const Bracket& y) {
                return x.fee > y.fee;
            };
            std::array<Bracket, bracketCount> byFee = schedule.brackets;
            std::sort(byFee.begin(), byFee.begin() + inUse, dearerFirst);
            for (int i = 0; i < inUse; ++i)
                schedule.brackets[size_t(i)].fee = byFee[size_t(i)].fee;
        }
        if (m_random.bounded(3) == 0)
            schedule.minimum = cents(between(0, amount * 0.03));
        if (m_random.bounded(3) == 0)
            schedule.maximum = cents(between(std::max(schedule.minimum, 0.01), amount * 0.06));
        return generated;
    }

private:
    double between(double low, double high)
    {
        return low + m_random.generateDouble() * (high - low);
    }
    static double cents(double value) { return std::round(value * 100) / 100; }

    QRandomGenerator m_random;
};
