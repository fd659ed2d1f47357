#pragma once

#include <QString>

// The words on the chart, in the window's language.
struct ChartTexts
{
    QString priceAxis;  // "Prix de vente par action (€)"
    QString profitAxis; // "Bénéfice après impôt (€)"
    QString minimum;    // before the minimum price's amount
    QString typed;      // before the typed price's amount
};
