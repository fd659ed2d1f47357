#include "ComparisonFormats.h"

#include "ComparisonText.h"
#include "CsvTrades.h"
#include "JsonText.h"
#include "TextLayout.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

// How the row ended: priced, over the limit of the purchase or of the sale, or refused (by the
// fee rules or the search) with a message.
QString rowStatus(const ComparisonRow& row)
{
    switch (row.status) {
    case CalcStatus::Done:
        return u"done"_s;
    case CalcStatus::PurchaseOverLimit:
        return u"purchase_limit"_s;
    case CalcStatus::SaleOverLimit:
        return u"sale_limit"_s;
    case CalcStatus::TaxRateInvalid:
    case CalcStatus::PercentageFeeInvalid:
    case CalcStatus::PriceInvalid:
        break;
    }
    return u"refused"_s;
}

// The amounts of a row with a price, in the order of the window's columns: the sale at the price
// the row is ranked by, the first cent that really brings the wanted profit; the purchase's alone
// for a sale over the limit; none otherwise.
QList<std::optional<double>> rowAmounts(const ComparisonRow& row)
{
    const SellingPrice& result = row.result;
    if (row.error.isEmpty() && row.hasPrice() && row.reaching)
        return {result.purchaseFee, result.costPrice, row.reaching->price, row.reaching->fee.fee,
                row.reaching->profitAfterTax};
    if (row.error.isEmpty() && row.hasPrice())
        return {result.purchaseFee, result.costPrice, result.price, result.saleFee,
                result.profitAfterTax};
    if (row.error.isEmpty() && row.status == CalcStatus::SaleOverLimit)
        return {result.purchaseFee, result.costPrice, {}, {}, {}};
    return {{}, {}, {}, {}, {}};
}

const QStringList amountKeys{u"purchase_fee"_s, u"cost_price"_s, u"minimum_price"_s, u"sale_fee"_s,
                             u"profit_after_tax"_s};

} // namespace

QString comparisonText(const QString& summary, const QList<ComparisonRow>& rows, bool english,
                       const QLocale& locale)
{
    QList<QStringList> cells;
    for (const ComparisonRow& row : rows)
        cells << comparisonCells(row, english, locale);
    return summary + u"\n\n"_s +
           alignedTable(comparisonHeadings(english), cells,
                        {false, true, true, true, true, true, false});
}

QString comparisonJson(const QString& summary, const QList<ComparisonRow>& rows)
{
    QList<QString> written;
    for (const ComparisonRow& row : rows) {
        JsonMembers members{{u"schedule"_s, jsonString(row.name)},
                            {u"in_use"_s, jsonBool(row.inUse)},
                            {u"cheapest"_s, jsonBool(row.cheapest)},
                            {u"status"_s, jsonString(rowStatus(row))}};
        const QList<std::optional<double>> amounts = rowAmounts(row);
        for (qsizetype i = 0; i < amounts.size(); ++i)
            members.append({amountKeys[i], amounts[i] ? jsonEuros(*amounts[i]) : u"null"_s});
        members.append({u"exact"_s, jsonBool(row.hasPrice() && !row.result.inexact)});
        members.append({u"error"_s, row.error.isEmpty() ? u"null"_s : jsonString(row.error)});
        // Where the calculation's own price falls short of the wanted profit, as the window's
        // remark says.
        if (row.error.isEmpty() && row.shownFallsShort())
            members.append({u"calculated_price"_s, jsonEuros(row.result.price)});
        written << jsonObject(members);
    }
    return jsonObject({{u"summary"_s, jsonString(summary)}, {u"rows"_s, jsonArray(written)}});
}

QString comparisonCsv(const QList<ComparisonRow>& rows, const CsvDialect& dialect)
{
    const QChar separator = dialect.separator;
    QString text = dialect.byteOrderMark ? QString(QChar(0xFEFF)) : QString();
    text += (QStringList{u"schedule"_s, u"in_use"_s, u"cheapest"_s, u"status"_s} + amountKeys +
             QStringList{u"exact"_s, u"error"_s})
                .join(separator) +
            u'\n';
    for (const ComparisonRow& row : rows) {
        QStringList cells{row.name, jsonBool(row.inUse), jsonBool(row.cheapest), rowStatus(row)};
        for (const std::optional<double>& amount : rowAmounts(row))
            cells << (amount ? withDecimalMark(jsonEuros(*amount), dialect) : QString());
        cells << jsonBool(row.hasPrice() && !row.result.inexact) << row.error;
        QStringList quoted;
        for (const QString& cell : cells)
            quoted << csvCell(cell, separator);
        text += quoted.join(separator) + u'\n';
    }
    return text;
}
