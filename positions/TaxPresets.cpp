#include "TaxPresets.h"

QList<TaxPreset> taxPresets()
{
    // The French tax on financial transactions is 0.4 % since 1 April 2025; the Belgian tax on
    // stock-exchange transactions is levied on each sale with its cap per trade.
    return {
        {QStringLiteral("France : TTF 0,4 % à l'achat"),
         QStringLiteral("France: FTT 0.4% on purchases"),
         2026,
         QStringLiteral("0.4"),
         {},
         {}},
        {QStringLiteral("Royaume-Uni : stamp duty 0,5 % à l'achat"),
         QStringLiteral("United Kingdom: stamp duty 0.5% on purchases"),
         2026,
         QStringLiteral("0.5"),
         {},
         {}},
        {QStringLiteral("Italie : FTT 0,1 % à l'achat"),
         QStringLiteral("Italy: FTT 0.1% on purchases"),
         2026,
         QStringLiteral("0.1"),
         {},
         {}},
        {QStringLiteral("Belgique : TOB actions 0,35 % à la vente, 1 600 € au plus"),
         QStringLiteral("Belgium: TOB on shares 0.35% on sales, at most €1,600"),
         2026,
         {},
         QStringLiteral("0.35"),
         QStringLiteral("1600")},
        {QStringLiteral("Belgique : TOB ETF 0,12 % à la vente, 1 300 € au plus"),
         QStringLiteral("Belgium: TOB on ETFs 0.12% on sales, at most €1,300"),
         2026,
         {},
         QStringLiteral("0.12"),
         QStringLiteral("1300")},
    };
}
