#include "ShortfallNote.h"

#include "Language.h"
#include "LowestCent.h"
#include "MoneyText.h"
#include "NumberText.h"
#include "SellingPriceSearch.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

std::optional<PriceShortfall> priceShortfall(const CalculationInput& input)
{
    const CalcOutcome outcome =
        findSellingPrice(input.schedule, input.trade, input.taxRate, input.rounding);
    if (!outcome.ok() || outcome.result.inexact)
        return std::nullopt;
    const CostBasis basis = costBasis(outcome.result, input.trade, input.taxRate);
    const SaleAtPrice shown = saleAtPrice(input.schedule, basis, outcome.result.price);
    if (shown.reachesWanted)
        return std::nullopt;
    const SaleTarget target{basis.shares, basis.outlay(), basis.grossWanted,
                            input.trade.percentMode};
    const std::optional<double> cents = lowestReachingCents(input.schedule, target);
    if (!cents)
        return std::nullopt;
    return PriceShortfall{shown, saleAtPrice(input.schedule, basis, *cents / 100),
                          roundCents(basis.grossWanted * basis.afterTax)};
}

QString shortfallNote(const PriceShortfall& shortfall, bool english, const QLocale& locale)
{
    // A wanted sum of whole euros reads as the user typed it.
    const double wanted = shortfall.wantedAfterTax;
    const QString wantedText = moneyText(wanted, locale, wanted == std::floor(wanted) ? 0 : 2);
    return pick(english,
                u"À %1 le bénéfice après impôt est de %2 ; %3 est le premier centime qui "
                "atteint %4 (Paramétrage › Prix minimum au centime supérieur)"_s,
                u"At %1 the profit after tax is %2; %3 is the first cent that reaches %4 "
                "(Paramétrage › Minimum price rounded up)"_s)
        .arg(moneyText(shortfall.shown.price, locale),
             moneyText(shortfall.shown.profitAfterTax, locale),
             moneyText(shortfall.first.price, locale), wantedText);
}

QString shortfallNote(const CalculationInput& input, bool english, const QLocale& locale)
{
    const std::optional<PriceShortfall> shortfall = priceShortfall(input);
    return shortfall ? shortfallNote(*shortfall, english, locale) : QString();
}
