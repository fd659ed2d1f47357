#include "ResultTexts.h"

#include "NumberText.h"

using namespace Qt::Literals::StringLiterals;

QString Texte_Euros(double value, EurosVariant variant)
{
    if (value > 1)
        return signBlankText(value) + u" euros"_s;
    if (value == 0 || (variant == EurosVariant::Profit && value < 0))
        return u"0 euro"_s;
    if (value == 1)
        return u"1 euro"_s;
    // Between 0 and 1 the sign-blank text has no digit before the point: put the 0 back.
    QString digits = signBlankText(value);
    if (digits.startsWith(u' '))
        digits.remove(0, 1);
    return u"0"_s + digits + u" euro"_s;
}

QString feeEuros(double fee, const QLocale& locale)
{
    const bool plural = plainNumber(regionalText(fee, locale)) > 1;
    return regionalText(roundCents(fee), locale) + (plural ? u" euros"_s : u" euro"_s);
}

QString feeCaption(double fee, TradeSide side, const QLocale& locale)
{
    const QString place = side == TradeSide::Purchase ? u"à l'achat"_s : u"à la vente"_s;
    return feeEuros(fee, locale) + u"\n\r"_s + place;
}

QString shortPriceNote(const SellingPrice& result, const QLocale& locale, bool english)
{
    const QString note =
        english ? u"At this price the profit after tax is %1 euros, short of the wanted profit; "
                  "at %2 euros a share it is %3 euros."_s
                : u"À ce prix, le bénéfice après impôt est de %1 euros, en dessous du bénéfice "
                  "voulu ; à %2 euros par action, il est de %3 euros."_s;
    return note.arg(regionalText(result.profitAfterTax, locale),
                    regionalText(result.nextCentPrice, locale),
                    regionalText(result.nextCentProfitAfterTax, locale));
}

QString outOfDateNote(bool english)
{
    return english ? u"The data have changed since this calculation: press CALCULATE to do it "
                     "again."_s
                   : u"Les données ont changé depuis ce calcul : cliquez sur CALCULER pour le "
                     "refaire."_s;
}
