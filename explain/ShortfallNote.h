#pragma once

#include "CalculationDetails.h"

#include <QLocale>
#include <QString>

#include <optional>

// The price the main window shows, rounded to the nearest cent, may bring a fraction of a cent a
// share less than the wanted profit: the sale at that price and at the first cent that reaches it.
struct PriceShortfall
{
    SaleAtPrice shown;
    SaleAtPrice first;
    double wantedAfterTax = 0; // in euros
};

// Nothing when the shown price reaches the wanted profit, when the calculation does not go
// through, or when the price is held below a jump of the fee, which its own warning explains.
std::optional<PriceShortfall> priceShortfall(const CalculationInput& input);

// "À 11,56 € le bénéfice après impôt est de 100,64 € ; 11,57 € est le premier centime qui
// atteint 101 € (…)", or empty when there is no shortfall.
QString shortfallNote(const PriceShortfall& shortfall, bool english, const QLocale& locale);
QString shortfallNote(const CalculationInput& input, bool english, const QLocale& locale);
