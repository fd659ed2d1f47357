#include "SaleAtPrice.h"

#include "LowestCent.h"
#include "NumberText.h"

SaleAtPrice saleAtPrice(const Schedule& schedule, const CostBasis& basis, double price)
{
    SaleAtPrice sale;
    sale.price = price;
    sale.amount = basis.shares * price;
    sale.overLimit = sale.amount > openBound;
    sale.fee = feeBreakdown(schedule, TradeAmount{basis.shares, price}, Lookup::Open);
    sale.saleTax = basis.saleTax.on(sale.amount);
    const double profit = ((sale.amount - sale.fee.fee) - sale.saleTax) - basis.outlay();
    sale.profitBeforeTax = roundCents(profit);
    sale.profitAfterTax = roundCents(basis.afterTaxOf(sale.profitBeforeTax));
    sale.reachesWanted = !sale.overLimit && reachesGross(profit, basis.grossWanted);
    return sale;
}
