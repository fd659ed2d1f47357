#include "YearGains.h"

#include <algorithm>

YearGains gainsOfYear(const QList<Position>& positions, int year)
{
    YearGains result;
    result.year = year;
    for (const Position& position : positions) {
        for (const RealisedSale& sale : replay(position.movements).sales) {
            if (sale.sale.date.year() == year)
                result.sales.append({position.name, sale});
        }
    }
    std::stable_sort(
        result.sales.begin(), result.sales.end(),
        [](const YearSale& a, const YearSale& b) { return a.sale.sale.date < b.sale.sale.date; });
    for (const YearSale& row : std::as_const(result.sales)) {
        if (row.sale.gain > Money())
            result.gains += row.sale.gain;
        else
            result.losses += row.sale.gain;
    }
    result.net = result.gains + result.losses;
    return result;
}
