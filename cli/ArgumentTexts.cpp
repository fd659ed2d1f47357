#include "ArgumentTexts.h"

#include "Language.h"

using namespace Qt::Literals::StringLiterals;

std::optional<QString> asFieldText(const QString& argument, NumericKind kind)
{
    QString text = argument.trimmed();
    bool pointSeen = false;
    for (QChar& c : text) {
        if (kind == NumericKind::Decimal && c == u',')
            c = u'.';
        if (!mayHold(kind, c) || (isPoint(c) && pointSeen))
            return std::nullopt;
        pointSeen = pointSeen || isPoint(c);
    }
    return text;
}

Message captureError(bool english, const QString& french, const QString& englishText)
{
    return {pick(english, u"Erreur de saisie"_s, u"Capture error"_s),
            pick(english, french, englishText), MessageIcon::Exclamation};
}

Message malformedNumberMessage(std::optional<TradeField> field, const QString& argument,
                               bool english)
{
    const auto refusal = [&](const QString& french, const QString& englishText) {
        return captureError(english, french + u" : « "_s + argument + u" »"_s,
                            englishText + u": \""_s + argument + u'"');
    };
    if (!field) {
        return refusal(
            u"Le taux d'imposition ne peut contenir que des chiffres et un point ou une virgule"_s,
            u"The tax rate may hold only digits and one point or comma"_s);
    }
    switch (*field) {
    case TradeField::Shares:
        return refusal(u"La quantité d'actions ne peut contenir que des chiffres"_s,
                       u"The number of shares may hold only digits"_s);
    case TradeField::Profit:
        return refusal(
            u"Le bénéfice recherché ne peut contenir que des chiffres et un point ou une virgule"_s,
            u"The sought-after profit may hold only digits and one point or comma"_s);
    case TradeField::Price:
        break;
    }
    return refusal(
        u"Le prix d'achat ne peut contenir que des chiffres et un point ou une virgule"_s,
        u"The purchase price may hold only digits and one point or comma"_s);
}
