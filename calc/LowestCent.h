#pragma once

#include "BracketPrice.h"

#include <optional>

// The profit before tax of selling every share at a price, as a real sale: the open lookup, that
// bracket's fee, the minimum and the maximum, and the sale tax; unrounded.
double saleProfit(const Schedule& schedule, const SaleTarget& target, double price);

// Whether a profit before tax reaches G, give or take far less than a cent: G and the profit are
// both sums of doubles that may end a few units of the last place apart when they are equal.
bool reachesGross(double profit, double gross);

// The number of cents of the lowest price whose real sale brings in at least the outlay plus G,
// with a sale amount of at most 99,999,999. Nothing when no such price exists. The main window's
// price, when its nearest cent will not do, and the details' first cent for every target.
std::optional<double> lowestReachingCents(const Schedule& schedule, const SaleTarget& target);
