#include "TradeCheck.h"

#include "Language.h"
#include "NumberText.h"

namespace {

TradeRefusal refusal(TradeField field, const QString& languageCode, const QString& french,
                     const QString& english)
{
    const QString title =
        pick(languageCode, QStringLiteral("Erreur de saisie"), QStringLiteral("Capture error"));
    return {field, Message{title, pick(languageCode, french, english), MessageIcon::Exclamation}};
}

} // namespace

std::optional<TradeRefusal> checkTrade(TradeTexts& trade, bool percentMode,
                                       const std::function<QString()>& languageCode)
{
    if (plainNumber(trade.price) == 0.0) {
        return refusal(TradeField::Price, languageCode(),
                       QStringLiteral("La valeur du prix d'achat ne peut être nulle"),
                       QStringLiteral("The cost price can't be null"));
    }
    if (plainNumber(trade.shares) == 0.0) {
        return refusal(TradeField::Shares, languageCode(),
                       QStringLiteral("La quantité d'actions ne peut être nulle"),
                       QStringLiteral("The number of shares can't be null"));
    }
    const double profit = plainNumber(trade.profit);
    if (profit == 0.0) {
        trade.profit = QStringLiteral("0");
        return std::nullopt;
    }
    if (percentMode && profit > 100.0) {
        return refusal(TradeField::Profit, languageCode(),
                       QStringLiteral("Le bénéfice recherché ne doit pas être supérieur à 100 %"),
                       QStringLiteral("The sought-after profit can't be rank above 100 %"));
    }
    return std::nullopt;
}
