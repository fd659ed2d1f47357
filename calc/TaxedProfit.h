#pragma once

// What is left of a profit before tax once the tax is paid: the tax is levied on a gain only,
// so a loss stays whole.
inline double taxedProfit(double beforeTax, double afterTax)
{
    return beforeTax > 0 ? beforeTax * afterTax : beforeTax;
}
