#include "SaleAtPrice.h"

#include "NumberText.h"

namespace {

// Far below what a cent of the price changes, far above the rounding of amounts in doubles.
constexpr double reachTolerance = 1e-6;

} // namespace

SaleAtPrice saleAtPrice(const Schedule& schedule, const CostBasis& basis, double price)
{
    SaleAtPrice sale;
    sale.price = price;
    sale.amount = basis.shares * price;
    sale.overLimit = sale.amount > openBound;
    sale.fee = feeBreakdown(schedule, sale.amount, Lookup::Open);
    const double profit = (sale.amount - sale.fee.fee) - basis.outlay();
    sale.profitBeforeTax = roundCents(profit);
    sale.profitAfterTax = roundCents(basis.afterTaxOf(sale.profitBeforeTax));
    sale.reachesWanted = !sale.overLimit && profit >= basis.grossWanted - reachTolerance;
    return sale;
}
