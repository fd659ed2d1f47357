#include "Holding.h"

#include "NumberText.h"

#include <algorithm>
#include <limits>

namespace {

// A movement not yet kept has no id; it goes after the kept ones of its date.
qint64 keptOrder(const Movement& movement)
{
    return movement.id == 0 ? std::numeric_limits<qint64>::max() : movement.id;
}

} // namespace

double Holding::costPrice() const
{
    if (shares == 0)
        return 0;
    if (onlyPurchase) {
        const double n = double(onlyPurchase->shares);
        const double charges = (onlyPurchase->fee + onlyPurchase->taxes).toDouble();
        return roundCents((n * onlyPurchase->price.toDouble() + charges) / n);
    }
    return roundCents(cost.toDouble() / double(shares));
}

QList<Movement> inDateOrder(QList<Movement> movements)
{
    std::stable_sort(movements.begin(), movements.end(), [](const Movement& a, const Movement& b) {
        if (a.date != b.date)
            return a.date < b.date;
        return keptOrder(a) < keptOrder(b);
    });
    return movements;
}

PositionHistory replay(const QList<Movement>& movements)
{
    PositionHistory history;
    Holding& holding = history.holding;
    int count = 0;
    for (const Movement& movement : inDateOrder(movements)) {
        holding.onlyPurchase.reset();
        if (movement.kind == MovementKind::Purchase) {
            if (++count == 1)
                holding.onlyPurchase = movement;
            holding.shares += movement.shares;
            holding.cost += movement.amount() + movement.fee + movement.taxes;
            continue;
        }
        if (movement.shares > holding.shares) {
            history.oversold = movement;
            return history;
        }
        // Selling everything takes the whole cost, so nothing is left over from the rounding.
        const Money costOfShares = movement.shares == holding.shares
                                       ? holding.cost
                                       : holding.cost.scaled(movement.shares, holding.shares);
        const Money proceeds = movement.amount() - movement.fee - movement.taxes;
        ++count;
        history.sales.append({movement, costOfShares, proceeds, proceeds - costOfShares});
        holding.shares -= movement.shares;
        holding.cost -= costOfShares;
    }
    return history;
}
