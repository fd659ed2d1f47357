#include "CalcMessages.h"

#include "BracketOrdinal.h"
#include "Language.h"
#include "NumberText.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

Message captureError(const QString& languageCode, const QString& french, const QString& english)
{
    return {pick(languageCode, u"Erreur de saisie"_s, u"Capture error"_s),
            pick(languageCode, french, english), MessageIcon::Exclamation};
}

} // namespace

Message limitMessage(TradeSide side)
{
    const QString which = side == TradeSide::Purchase
                              ? u"dont le prix de revient est supérieur à 99 999 999 euros."_s
                              : u"dont le prix de vente est supérieur à 99 999 999 euros."_s;
    const QStringList lines{u"Ce logiciel n'est pas conçu pour traiter des actions"_s, which,
                            u"Merci de faire les corrections nécessaires."_s};
    return {u"Frais de courtage"_s, lines.join(u"\n\r"_s), MessageIcon::Information};
}

Message inexactPriceMessage(const SellingPrice& result, double wantedProfit, bool percentMode,
                            const QLocale& locale)
{
    const auto regional = [&locale](double value) { return regionalText(value, locale); };
    const QString unit = percentMode ? u"%"_s : u"€"_s;
    const QStringList lines{
        u"Le calcul ne peut être juste car en utilisant un prix de vente"_s,
        u"minimum de "_s + regional(result.price) + u" euros, le bénéfice net est de "_s +
            regional(result.profitAfterTax) + u" euros"_s,
        u"En revanche, si on fixe le prix de vente minimum à"_s,
        regional(result.nextCentPrice) + u" euros, le"_s +
            u" bénéfice net après impôt est alors de"_s,
        regional(result.nextCentProfitAfterTax) + u" euros. Le bénéfice de "_s +
            regional(wantedProfit) + u" "_s + unit + u" ne peut donc être"_s,
        u"calculé avec exactitude."_s,
        u"Ce problème n'est pas dû à une erreur de calcul du logiciel "_s,
        u"mais aux frais de courtage de votre intermédiaire financier."_s,
    };
    return {u"Prix de vente minimum incalculable"_s, lines.join(u"\r\n"_s),
            MessageIcon::Information};
}

Message refusalMessage(const CalcOutcome& outcome, const QString& languageCode)
{
    switch (outcome.status) {
    case CalcStatus::Done:
        return {};
    case CalcStatus::PurchaseOverLimit:
        return limitMessage(TradeSide::Purchase);
    case CalcStatus::SaleOverLimit:
        return limitMessage(TradeSide::Sale);
    case CalcStatus::TaxRateInvalid:
        return captureError(
            languageCode,
            u"Le taux d'imposition doit être inférieur à 100 % pour que le calcul soit possible"_s,
            u"The tax rate must be below 100 % for the calculation to be possible"_s);
    case CalcStatus::PercentageFeeInvalid:
        return captureError(
            languageCode,
            u"Les frais de courtage de la "_s + bracketOrdinal(outcome.bracketNumber - 1, false) +
                u" fourchette doivent être inférieurs à 100 % pour que le calcul soit possible"_s,
            u"The brokerage fee of the "_s + bracketOrdinal(outcome.bracketNumber - 1, true) +
                u" bracket must be below 100 % for the calculation to be possible"_s);
    case CalcStatus::PriceInvalid:
        return {
            pick(languageCode, u"Erreur de calcul"_s, u"Calculation error"_s),
            pick(languageCode,
                 u"Le prix de vente minimum ne peut pas être calculé avec ces données."
                 "\n\rMerci de vérifier le prix d'achat, le bénéfice et les frais de courtage."_s,
                 u"The minimum selling price cannot be calculated from these data."
                 "\n\rPlease check the purchase price, the profit and the brokerage fees."_s),
            MessageIcon::Exclamation};
    }
    return {};
}
