#include "LowestCent.h"

#include <algorithm>
#include <cmath>

namespace {

// Far below what a cent of the price changes, far above the rounding of amounts in doubles.
constexpr double reachTolerance = 1e-6;

// From the cent below a bracket's own price, the first cent that reaches the target is at most
// this many cents higher; further on, the price was not a number worth trying.
constexpr int centsToTry = 4;

} // namespace

double saleProfit(const Schedule& schedule, const SaleTarget& target, double price)
{
    const TradeAmount amount{target.shares, price};
    const double saleAmount = amount.value();
    return ((saleAmount - *Calcul_Frais(schedule, amount, Lookup::Open)) -
            target.saleTax.on(saleAmount)) -
           target.cost;
}

bool reachesGross(double profit, double gross)
{
    return profit >= gross - reachTolerance;
}

// The cents of every bracket lie above those of the brackets before it, so the first bracket
// holding a cent that reaches the target holds the lowest one. A bracket whose own price lies
// at its very top may hold no such cent: the target is then met only in a bracket above.
std::optional<double> lowestReachingCents(const Schedule& schedule, const SaleTarget& target)
{
    const double n = target.shares;
    const int last = lastBracketInUse(schedule);
    double below = -1; // the highest cent of the brackets already tried
    for (int j = 0; j <= last; ++j) {
        const Bracket& bracket = schedule.brackets[size_t(j)];
        const double top = centsWithin(j == last ? openBound : bracket.upper, n);
        const double price = priceInBracket(schedule, bracket, target);
        if (std::isfinite(price) && std::isfinite(top)) {
            double cent = std::max(below + 1, std::floor(price * 100) - 1);
            for (int i = 0; i < centsToTry && cent <= top; ++i, ++cent) {
                if (reachesGross(saleProfit(schedule, target, cent / 100), target.gross))
                    return cent;
            }
        }
        below = top;
    }
    return std::nullopt;
}
