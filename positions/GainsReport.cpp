#include "GainsReport.h"

#include "Language.h"
#include "NumberText.h"
#include "PositionTexts.h"

using namespace Qt::StringLiterals;

namespace {

QString title(int year, bool english)
{
    return pick(english, u"Plus et moins-values réalisées en "_s,
                u"Gains and losses realised in "_s) +
           QString::number(year);
}

QString csvField(QString text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + text.replace(u"\""_s, u"\"\""_s) + u'"';
}

} // namespace

QStringList gainsColumns(bool english)
{
    return {pick(english, u"Date"_s, u"Date"_s),
            pick(english, u"Position"_s, u"Position"_s),
            pick(english, u"Actions"_s, u"Shares"_s),
            pick(english, u"Prix"_s, u"Price"_s),
            pick(english, u"Frais et taxes"_s, u"Fees and taxes"_s),
            pick(english, u"Coût au prix moyen"_s, u"Cost at average price"_s),
            pick(english, u"Plus ou moins-value"_s, u"Gain or loss"_s)};
}

QStringList gainsCells(const YearSale& row, bool english, const QLocale& locale)
{
    const Movement& sale = row.sale.sale;
    return {dateText(sale.date, english),
            row.position,
            QString::number(sale.shares),
            regionalText(sale.price.toDouble(), locale),
            moneyText(sale.fee + sale.taxes, locale),
            moneyText(row.sale.costOfShares, locale),
            moneyText(row.sale.gain, locale)};
}

QStringList gainsTotals(const YearGains& gains, bool english, const QLocale& locale)
{
    return {pick(english, u"Plus-values : "_s, u"Gains: "_s) + moneyText(gains.gains, locale),
            pick(english, u"Moins-values : "_s, u"Losses: "_s) + moneyText(gains.losses, locale),
            pick(english, u"Résultat net : "_s, u"Net result: "_s) + moneyText(gains.net, locale)};
}

QString gainsText(const YearGains& gains, bool english, const QLocale& locale)
{
    QStringList lines{title(gains.year, english), gainsColumns(english).join(u'\t')};
    for (const YearSale& row : gains.sales)
        lines.append(gainsCells(row, english, locale).join(u'\t'));
    lines += gainsTotals(gains, english, locale);
    return lines.join(u'\n') + u'\n';
}

QString gainsHtml(const YearGains& gains, bool english, const QLocale& locale)
{
    QString html = u"<h2>"_s + title(gains.year, english).toHtmlEscaped() +
                   u"</h2><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>"_s;
    for (const QString& column : gainsColumns(english))
        html += u"<th>"_s + column.toHtmlEscaped() + u"</th>"_s;
    html += u"</tr>"_s;
    for (const YearSale& row : gains.sales) {
        html += u"<tr>"_s;
        const QStringList cells = gainsCells(row, english, locale);
        for (qsizetype i = 0; i < cells.size(); ++i)
            html += (i == 1 ? u"<td>"_s : u"<td align=\"right\">"_s) + cells[i].toHtmlEscaped() +
                    u"</td>"_s;
        html += u"</tr>"_s;
    }
    html += u"</table><p>"_s + gainsTotals(gains, english, locale).join(u"<br>"_s) + u"</p>"_s;
    return html;
}

QByteArray gainsCsv(const YearGains& gains)
{
    QString text = u"date,position,shares,price,fee,taxes,cost,gain\n"_s;
    for (const YearSale& row : gains.sales) {
        const Movement& sale = row.sale.sale;
        text += QStringList{sale.date.toString(Qt::ISODate),
                            csvField(row.position),
                            QString::number(sale.shares),
                            sale.price.text(),
                            sale.fee.centsText(),
                            sale.taxes.centsText(),
                            row.sale.costOfShares.centsText(),
                            row.sale.gain.centsText()}
                    .join(u',') +
                u'\n';
    }
    return text.toUtf8();
}
