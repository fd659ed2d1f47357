#include "DetailsText.h"

#include "FeeRules.h"
#include "Language.h"
#include "MoneyText.h"
#include "NumberText.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString overLimitText(bool english, const QLocale& locale)
{
    return pick(english, u"au-delà de "_s, u"over "_s) + moneyText(openBound, locale, 0);
}

QString saleAmountText(const SaleAtPrice& sale, const CostBasis& basis, const QLocale& locale)
{
    return sharesText(basis.shares, locale) + u" × "_s + moneyText(sale.price, locale) + u" = "_s +
           moneyText(sale.amount, locale);
}

QString profitSumText(const SaleAtPrice& sale, const CostBasis& basis, const QLocale& locale)
{
    QString terms = moneyText(sale.amount, locale) + u" − "_s + moneyText(sale.fee.fee, locale);
    if (sale.saleTax != 0)
        terms += u" − "_s + moneyText(sale.saleTax, locale);
    return terms + u" − "_s + moneyText(basis.outlay(), locale) + u" = "_s +
           moneyText(sale.profitBeforeTax, locale);
}

QString taxLabel(const CalculationDetails& details, bool english, const QLocale& locale)
{
    return pick(english, u"Impôt (%1)"_s, u"Tax (%1)"_s)
        .arg(wantedProfitText(details.taxRate, true, locale));
}

QString shownPriceText(const CalculationDetails& details, bool english, const QLocale& locale)
{
    const SellingPrice& result = details.result;
    const QString price = moneyText(result.price, locale);
    if (result.inexact)
        return price + pick(english, u" (le dernier centime sous la limite de la fourchette)"_s,
                            u" (the last cent below the bracket boundary)"_s);
    if (moneyText(result.unroundedPrice, locale, 4) == moneyText(result.price, locale, 4))
        return price;
    // The nearest cent, unless it falls short of the wanted profit where the main window must
    // not: rounded up on request, or kept in the bracket the price was found in.
    if (roundCents(result.unroundedPrice) == result.price)
        return price + pick(english, u" (prix exact %1, arrondi au centime le plus proche)"_s,
                            u" (exact price %1, rounded to the nearest cent)"_s)
                           .arg(moneyText(result.unroundedPrice, locale, 4));
    return price + pick(english,
                        u" (prix exact %1 ; premier centime qui atteint le bénéfice voulu)"_s,
                        u" (exact price %1; the first cent that reaches the wanted profit)"_s)
                       .arg(moneyText(result.unroundedPrice, locale, 4));
}

QString feeJumpSentence(const CalculationDetails& details, bool english, const QLocale& locale)
{
    QString sentence =
        pick(english,
             u"Les frais de courtage changent au-dessus d'une vente de %1 : à %2 le "
             "bénéfice après impôt est de %3, à %4 il est de %5"_s,
             u"The brokerage fee changes above a sale of %1: at %2 the profit after "
             "tax is %3, at %4 it is %5"_s)
            .arg(moneyText(details.result.boundary, locale), moneyText(details.sale.price, locale),
                 moneyText(details.sale.profitAfterTax, locale),
                 moneyText(details.nextCent.price, locale),
                 moneyText(details.nextCent.profitAfterTax, locale));
    // A fee that rises at the boundary may drop the profit below what the cent under it gave.
    if (details.nextCent.profitAfterTax >= details.wantedAfterTax)
        sentence += pick(english, u" ; le bénéfice voulu de %1 tombe entre les deux."_s,
                         u"; the wanted profit of %1 falls between the two."_s)
                        .arg(moneyText(details.wantedAfterTax, locale));
    else
        sentence += u'.';
    return sentence;
}

QString targetPriceText(const TargetPrice& target, bool english, const QLocale& locale)
{
    if (target.status == CalcStatus::SaleOverLimit)
        return overLimitText(english, locale);
    if (!target.ok())
        return pick(english, u"incalculable"_s, u"cannot be calculated"_s);
    return moneyText(target.sale.price, locale);
}

} // namespace

QString bracketText(const FeeBreakdown& fee, bool sale, bool english, const QLocale& locale)
{
    if (fee.openEnded() && fee.lower == 0)
        return sale ? pick(english, u"toute vente"_s, u"any sale"_s)
                    : pick(english, u"tout achat"_s, u"any purchase"_s);
    if (fee.openEnded())
        return pick(english, u"au-delà de %1"_s, u"above %1"_s).arg(moneyText(fee.lower, locale));
    return pick(english, u"de %1 à %2"_s, u"%1 to %2"_s)
        .arg(moneyText(fee.lower, locale), moneyText(fee.upper, locale));
}

DetailLine bracketLine(const FeeBreakdown& fee, bool sale, bool english, const QLocale& locale)
{
    return {pick(english, u"Fourchette %1"_s, u"Bracket %1"_s).arg(fee.bracket + 1),
            bracketText(fee, sale, english, locale)};
}

QString feeRuleText(const FeeBreakdown& fee, bool english, const QLocale& locale)
{
    QString text =
        fee.rule.percentage
            ? pick(english, u"%1 de %2 = %3"_s, u"%1 of %2 = %3"_s)
                  .arg(percentText(fee.rule.fee, locale), moneyText(fee.amount, locale),
                       moneyText(fee.unlimited, locale))
            : pick(english, u"fixe %1"_s, u"fixed %1"_s).arg(moneyText(fee.unlimited, locale));
    switch (fee.limit) {
    case FeeLimit::Minimum:
        text += pick(english, u", porté au minimum de %1"_s, u", raised to the minimum of %1"_s)
                    .arg(moneyText(fee.fee, locale));
        break;
    case FeeLimit::Maximum:
        text += pick(english, u", plafonné au maximum de %1"_s, u", capped at the maximum of %1"_s)
                    .arg(moneyText(fee.fee, locale));
        break;
    case FeeLimit::None:
        break;
    }
    return text;
}

QString wantedProfitText(double wanted, bool percentMode, const QLocale& locale)
{
    return percentMode ? locale.toString(wanted, 'g', 15) + u" %"_s : moneyText(wanted, locale);
}

QList<DetailSection> workingSections(const CalculationDetails& details, bool english,
                                     const QLocale& locale)
{
    const CostBasis& basis = details.basis;
    const Trade& trade = details.trade;
    const FeeBreakdown& purchase = details.purchase;
    const auto money = [&locale](double euros) { return moneyText(euros, locale); };
    const QString saleTaxLabel = pick(english, u"Taxe sur la vente"_s, u"Sale tax"_s);
    const bool taxedSale = details.held && details.held->saleTax.rate != 0;

    DetailSection bought{pick(english, u"Achat"_s, u"Purchase"_s), {}};
    if (details.held) {
        // Shares of a position: their cost is the average cost price of its purchases.
        bought.title = pick(english, u"Achats"_s, u"Purchases"_s);
        bought.lines = {
            {pick(english, u"Coût des actions vendues"_s, u"Cost of the shares sold"_s),
             sharesText(trade.shares, locale) + u" × "_s + money(basis.costPrice) + u" = "_s +
                 money(basis.outlay()) +
                 pick(english, u" (prix de revient moyen, frais et taxes compris)"_s,
                      u" (average cost price, fees and taxes included)"_s)},
        };
    } else
        bought.lines = {
            {pick(english, u"Montant de l'achat"_s, u"Purchase amount"_s),
             sharesText(trade.shares, locale) + u" × "_s + money(trade.purchasePrice) + u" = "_s +
                 money(purchase.amount)},
            bracketLine(purchase, false, english, locale),
            {pick(english, u"Frais d'achat"_s, u"Purchase fee"_s),
             feeRuleText(purchase, english, locale)},
            {pick(english, u"Prix de revient"_s, u"Cost price"_s),
             u"(%1 + %2) / %3 = %4"_s.arg(money(purchase.amount), money(purchase.fee),
                                          sharesText(trade.shares, locale),
                                          money(basis.costPrice)) +
                 pick(english, u" par action"_s, u" a share"_s)},
        };

    DetailSection target{pick(english, u"Objectif"_s, u"Target"_s), {}};
    const QString wanted = trade.percentMode
                               ? pick(english, u"%1 du coût de %2 = %3 après impôt"_s,
                                      u"%1 of the cost of %2 = %3 after tax"_s)
                                     .arg(wantedProfitText(trade.wantedProfit, true, locale),
                                          money(basis.outlay()), money(details.wantedAfterTax))
                               : pick(english, u"%1 après impôt"_s, u"%1 after tax"_s)
                                     .arg(money(details.wantedAfterTax));
    target.lines = {
        {pick(english, u"Bénéfice voulu"_s, u"Wanted profit"_s), wanted},
        {pick(english, u"Bénéfice avant impôt nécessaire"_s, u"Profit needed before tax"_s),
         u"%1 / (1 − %2) = %3"_s.arg(money(details.wantedAfterTax),
                                     wantedProfitText(details.taxRate, true, locale),
                                     money(basis.grossWanted))},
    };

    const SaleAtPrice& sale = details.sale;
    DetailSection sold{pick(english, u"Vente au prix minimum"_s, u"Sale at the minimum price"_s),
                       {}};
    sold.lines = {
        {pick(english, u"Prix de vente minimum"_s, u"Minimum selling price"_s),
         shownPriceText(details, english, locale)},
        {pick(english, u"Montant de la vente"_s, u"Sale amount"_s),
         saleAmountText(sale, basis, locale)},
        bracketLine(sale.fee, true, english, locale),
        {pick(english, u"Frais de vente"_s, u"Sale fee"_s), feeRuleText(sale.fee, english, locale)},
    };
    if (taxedSale)
        sold.lines.append({saleTaxLabel, money(sale.saleTax)});
    sold.lines += QList<DetailLine>{
        {pick(english, u"Bénéfice avant impôt"_s, u"Profit before tax"_s),
         profitSumText(sale, basis, locale)},
        {taxLabel(details, english, locale), money(sale.profitBeforeTax - sale.profitAfterTax)},
        {pick(english, u"Bénéfice après impôt"_s, u"Profit after tax"_s),
         pick(english, u"%1 (voulu : %2)"_s, u"%1 (wanted: %2)"_s)
             .arg(money(sale.profitAfterTax), money(details.wantedAfterTax))},
    };
    if (details.result.inexact)
        sold.lines.append({pick(english, u"Saut de frais"_s, u"Fee jump"_s),
                           feeJumpSentence(details, english, locale)});
    if (details.lowest.ok() && details.lowest.sale.price != sale.price) {
        sold.lines.append({pick(english, u"Premier centime qui atteint le bénéfice voulu"_s,
                                u"First cent that reaches the wanted profit"_s),
                           pick(english, u"%1 (%2 après impôt)"_s, u"%1 (%2 after tax)"_s)
                               .arg(money(details.lowest.sale.price),
                                    money(details.lowest.sale.profitAfterTax))});
    }

    DetailSection breakEven{pick(english, u"Seuil de rentabilité"_s, u"Break-even"_s), {}};
    QString breakEvenText = targetPriceText(details.breakEven, english, locale);
    if (details.breakEven.ok())
        breakEvenText += pick(english, u" par action (bénéfice après impôt %1)"_s,
                              u" a share (profit after tax %1)"_s)
                             .arg(money(details.breakEven.sale.profitAfterTax));
    breakEven.lines = {
        {pick(english, u"Prix le plus bas sans perte"_s, u"Lowest price without a loss"_s),
         breakEvenText}};

    return {bought, target, sold, breakEven};
}

QList<DetailLine> saleLines(const SaleAtPrice& sale, const CalculationDetails& details,
                            bool english, const QLocale& locale)
{
    const auto money = [&locale](double euros) { return moneyText(euros, locale); };
    const QString amountLabel = pick(english, u"Montant de la vente"_s, u"Sale amount"_s);
    if (sale.overLimit)
        return {{amountLabel,
                 saleAmountText(sale, details.basis, locale) + u", "_s +
                     pick(english, u"au-delà de la limite de %1"_s, u"over the limit of %1"_s)
                         .arg(moneyText(openBound, locale, 0))}};
    const double shortBy = details.wantedAfterTax - sale.profitAfterTax;
    QString reached = pick(english, u"atteint"_s, u"reached"_s);
    if (!sale.reachesWanted && shortBy < 0.005)
        reached = pick(english, u"non atteint, il manque moins d'un centime"_s,
                       u"not reached: less than a cent short"_s);
    else if (!sale.reachesWanted)
        reached = pick(english, u"non atteint, il manque %1"_s, u"not reached: %1 short"_s)
                      .arg(money(shortBy));
    return {
        {amountLabel, saleAmountText(sale, details.basis, locale)},
        bracketLine(sale.fee, true, english, locale),
        {pick(english, u"Frais de vente"_s, u"Sale fee"_s), feeRuleText(sale.fee, english, locale)},
        {pick(english, u"Bénéfice avant impôt"_s, u"Profit before tax"_s),
         money(sale.profitBeforeTax)},
        {pick(english, u"Bénéfice après impôt"_s, u"Profit after tax"_s),
         money(sale.profitAfterTax)},
        {pick(english, u"Bénéfice voulu (%1)"_s, u"Wanted profit (%1)"_s)
             .arg(money(details.wantedAfterTax)),
         reached},
    };
}

QList<DetailLine> noSaleLines(const CalculationDetails& details, bool english,
                              const QLocale& locale)
{
    const QString none = u"—"_s;
    return {
        {pick(english, u"Montant de la vente"_s, u"Sale amount"_s), none},
        {pick(english, u"Fourchette"_s, u"Bracket"_s), none},
        {pick(english, u"Frais de vente"_s, u"Sale fee"_s), none},
        {pick(english, u"Bénéfice avant impôt"_s, u"Profit before tax"_s), none},
        {pick(english, u"Bénéfice après impôt"_s, u"Profit after tax"_s), none},
        {pick(english, u"Bénéfice voulu (%1)"_s, u"Wanted profit (%1)"_s)
             .arg(moneyText(details.wantedAfterTax, locale)),
         none},
    };
}

QString chartDescription(const ProfitCurve& curve, const CalculationDetails& details, bool english,
                         const QLocale& locale)
{
    const auto money = [&locale](double euros) { return moneyText(euros, locale); };
    QStringList sentences{
        pick(english, u"Bénéfice après impôt selon le prix de vente par action, de %1 à %2."_s,
             u"Profit after tax against the selling price per share, from %1 to %2."_s)
            .arg(money(curve.fromPrice), money(curve.toPrice))};
    if (details.lowest.ok())
        sentences << pick(english, u"Le bénéfice voulu de %1 est atteint à partir de %2."_s,
                          u"The wanted profit of %1 is reached from %2."_s)
                         .arg(money(curve.wantedProfit), money(details.lowest.sale.price));
    for (const CurveBoundary& boundary : curve.boundaries) {
        if (boundary.jumps())
            sentences << pick(english,
                              u"Au-dessus de %1, les frais changent et le bénéfice passe de %2 "
                              "à %3."_s,
                              u"Above %1 the fee changes and the profit goes from %2 to %3."_s)
                             .arg(money(boundary.price), money(boundary.profitBelow),
                                  money(boundary.profitAbove));
    }
    for (const CurveLimit& limit : curve.limits) {
        if (limit.limit == FeeLimit::Minimum)
            sentences << pick(english,
                              u"Au-dessous de %1, les frais sont portés au minimum de %2."_s,
                              u"Below %1 the fee is raised to the minimum of %2."_s)
                             .arg(money(limit.price), money(details.schedule.minimum));
        else
            sentences << pick(english,
                              u"Au-dessus de %1, les frais sont plafonnés au maximum de %2."_s,
                              u"Above %1 the fee is capped at the maximum of %2."_s)
                             .arg(money(limit.price), money(details.schedule.maximum));
    }
    return sentences.join(u' ');
}

ChartTexts chartTexts(bool english)
{
    return {pick(english, u"Prix de vente par action (€)"_s, u"Selling price per share (€)"_s),
            pick(english, u"Bénéfice après impôt (€)"_s, u"Profit after tax (€)"_s),
            pick(english, u"Prix minimum"_s, u"Minimum price"_s),
            pick(english, u"Votre prix"_s, u"Your price"_s)};
}

QString outOfDateLine(bool english)
{
    return pick(
        english, u"Ces détails sont ceux du dernier calcul ; les données ont changé depuis."_s,
        u"These details are those of the last calculation; the inputs have changed since."_s);
}

QStringList ladderHeader(bool english)
{
    return {pick(english, u"Bénéfice voulu"_s, u"Wanted profit"_s),
            pick(english, u"Prix minimum"_s, u"Minimum price"_s),
            pick(english, u"Bénéfice après impôt"_s, u"Profit after tax"_s),
            pick(english, u"Remarque"_s, u"Note"_s)};
}

QStringList ladderCells(const LadderRow& row, const CalculationDetails& details, bool english,
                        const QLocale& locale, PriceShownBy shownBy)
{
    const TargetPrice& target = row.target;
    const SellingPrice& result = details.result;
    QStringList notes;
    if (row.own)
        notes << pick(english, u"votre objectif"_s, u"your target"_s);
    if (row.own && target.ok() && result.price < target.sale.price)
        notes << (shownBy == PriceShownBy::MainWindow
                      ? pick(english, u"la fenêtre principale affiche %1, %2"_s,
                             u"the main window shows %1, %2"_s)
                      : pick(english, u"le prix affiché est %1, %2"_s,
                             u"the price shown is %1, %2"_s))
                     .arg(moneyText(result.price, locale),
                          result.inexact ? pick(english,
                                                u"le dernier centime sous la limite de la "
                                                "fourchette"_s,
                                                u"the last cent below the bracket boundary"_s)
                                         : pick(english, u"arrondi au centime le plus proche"_s,
                                                u"rounded to the nearest cent"_s));
    if (target.ok() && !target.sale.reachesWanted)
        notes << pick(english, u"saut de frais : le bénéfice exact est inaccessible"_s,
                      u"fee jump: the exact profit cannot be reached"_s);
    return {wantedProfitText(target.wantedProfit, details.trade.percentMode, locale),
            targetPriceText(target, english, locale),
            target.ok() ? moneyText(target.sale.profitAfterTax, locale) : u"—"_s,
            notes.join(pick(english, u" ; "_s, u"; "_s))};
}
