#include "PositionTexts.h"

#include "Language.h"

using namespace Qt::StringLiterals;

QString moneyText(Money amount, const QLocale& locale)
{
    const QString text = amount.centsText();
    return locale.decimalPoint() == u"," ? QString(text).replace(u'.', u',') : text;
}

QString dateText(const QDate& date, bool english)
{
    return english ? date.toString(Qt::ISODate) : date.toString(u"dd/MM/yyyy"_s);
}

QString kindText(MovementKind kind, bool english)
{
    if (kind == MovementKind::Sale)
        return pick(english, u"Vente"_s, u"Sale"_s);
    return pick(english, u"Achat"_s, u"Purchase"_s);
}

Message oversoldMessage(const Movement& sale, bool english)
{
    const QString shares = QString::number(sale.shares);
    const QString date = dateText(sale.date, english);
    return positionsMessage(
        pick(english,
             u"La vente de "_s + shares + u" actions du "_s + date +
                 u" dépasse les actions détenues à cette date : rien n'a été changé."_s,
             u"The sale of "_s + shares + u" shares on "_s + date +
                 u" is more than the shares held on that date: nothing was changed."_s),
        english);
}

Message positionsMessage(const QString& text, bool english)
{
    return Message{pick(english, u"Positions"_s, u"Positions"_s), text, MessageIcon::Exclamation,
                   false};
}
