#include "ComparisonText.h"

#include "Language.h"
#include "MoneyText.h"

QString comparisonSummary(const Trade& trade, double taxRate, bool english, const QLocale& locale)
{
    const QString profit = trade.percentMode ? percentText(trade.wantedProfit, locale)
                                             : moneyText(trade.wantedProfit, locale);
    return pick(english,
                QStringLiteral("%1 actions achetées à %2, bénéfice voulu %3 après un impôt de %4"),
                QStringLiteral("%1 shares bought at %2, wanted profit %3 after a tax of %4"))
        .arg(sharesText(trade.shares, locale), moneyText(trade.purchasePrice, locale), profit,
             percentText(taxRate, locale));
}

QStringList comparisonHeadings(bool english)
{
    if (english)
        return {QStringLiteral("Schedule"),   QStringLiteral("Purchase fee"),
                QStringLiteral("Cost price"), QStringLiteral("Minimum selling price"),
                QStringLiteral("Sale fee"),   QStringLiteral("Profit after tax"),
                QStringLiteral("Remarks")};
    return {QStringLiteral("Barème"),          QStringLiteral("Frais d'achat"),
            QStringLiteral("Prix de revient"), QStringLiteral("Prix de vente minimum"),
            QStringLiteral("Frais de vente"),  QStringLiteral("Bénéfice après impôt"),
            QStringLiteral("Remarques")};
}

QStringList comparisonCells(const ComparisonRow& row, bool english, const QLocale& locale)
{
    QStringList remarks;
    if (row.cheapest)
        remarks << pick(english, QStringLiteral("le moins cher"), QStringLiteral("cheapest"));
    if (row.inUse)
        remarks << pick(english, QStringLiteral("en cours"), QStringLiteral("in use"));
    if (row.shownFallsShort()) {
        // The main window's own price, and why it is not the one compared.
        const QString shown = moneyText(row.result.price, locale);
        remarks << (row.result.inexact
                        ? pick(english,
                               QStringLiteral("fenêtre principale : %1, bénéfice voulu non "
                                              "atteint (saut de frais)"),
                               QStringLiteral("main window: %1, short of the wanted profit "
                                              "(fee jump)"))
                        : pick(english,
                               QStringLiteral("fenêtre principale : %1, bénéfice voulu non "
                                              "atteint (arrondi au centime le plus proche)"),
                               QStringLiteral("main window: %1, short of the wanted profit "
                                              "(rounded to the nearest cent)")))
                       .arg(shown);
    } else if (row.hasPrice() && row.result.inexact) {
        remarks << pick(english, QStringLiteral("saut de frais : prix inexact"),
                        QStringLiteral("fee jump: inexact price"));
    }
    if (row.overLimit())
        remarks << pick(english, QStringLiteral("au-delà de 99 999 999 euros"),
                        QStringLiteral("over 99,999,999 euros"));

    const SellingPrice& result = row.result;
    QStringList cells{row.name};
    if (!row.error.isEmpty()) {
        cells << row.error << QString() << QString() << QString() << QString();
    } else if (row.hasPrice() && row.reaching) {
        // At the price compared: the first cent that brings the wanted profit.
        cells << moneyText(result.purchaseFee, locale) << moneyText(result.costPrice, locale)
              << moneyText(row.reaching->price, locale) << moneyText(row.reaching->fee.fee, locale)
              << moneyText(row.reaching->profitAfterTax, locale);
    } else if (row.hasPrice()) {
        cells << moneyText(result.purchaseFee, locale) << moneyText(result.costPrice, locale)
              << moneyText(result.price, locale) << moneyText(result.saleFee, locale)
              << moneyText(result.profitAfterTax, locale);
    } else if (row.status == CalcStatus::SaleOverLimit) {
        // The purchase went through: its fee and the cost price are known.
        cells << moneyText(result.purchaseFee, locale) << moneyText(result.costPrice, locale)
              << QString() << QString() << QString();
    } else {
        cells << QString() << QString() << QString() << QString() << QString();
    }
    cells << remarks.join(QStringLiteral(", "));
    return cells;
}

QString comparisonPlainText(const QString& title, const QList<ComparisonRow>& rows, bool english,
                            const QLocale& locale)
{
    QStringList lines{title, comparisonHeadings(english).join(u'\t')};
    for (const ComparisonRow& row : rows)
        lines << comparisonCells(row, english, locale).join(u'\t');
    return lines.join(u'\n') + u'\n';
}
