#include "ReportFormats.h"

#include "DetailsDocument.h"
#include "DetailsText.h"
#include "JsonText.h"
#include "Language.h"
#include "NumberText.h"
#include "ResultTexts.h"
#include "TextLayout.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString errorKind(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Fees:
        return u"fees"_s;
    case ReportKind::PurchaseLimit:
        return u"purchase_limit"_s;
    case ReportKind::SaleLimit:
        return u"sale_limit"_s;
    case ReportKind::Results:
    case ReportKind::Input:
        break;
    }
    return u"input"_s;
}

JsonMembers resultMembers(const SellingPrice& result)
{
    return {{u"purchase_fee"_s, jsonEuros(result.purchaseFee)},
            {u"cost_price"_s, jsonEuros(result.costPrice)},
            {u"minimum_price"_s, jsonEuros(result.price)},
            {u"sale_fee"_s, jsonEuros(result.saleFee)},
            {u"profit_before_tax"_s, jsonEuros(result.profitBeforeTax)},
            {u"profit_after_tax"_s, jsonEuros(result.profitAfterTax)},
            {u"exact"_s, jsonBool(!result.inexact)}};
}

QString targetPrice(const TargetPrice& target)
{
    return target.ok() ? jsonEuros(target.sale.price) : u"null"_s;
}

QString ladderJson(const CalculationDetails& details)
{
    QList<QString> rows;
    for (const LadderRow& row : details.ladder) {
        const TargetPrice& target = row.target;
        rows << jsonObject({{u"wanted"_s, jsonEuros(target.wantedProfit)},
                            {u"price"_s, targetPrice(target)},
                            {u"profit_after_tax"_s,
                             target.ok() ? jsonEuros(target.sale.profitAfterTax) : u"null"_s},
                            {u"exact"_s, jsonBool(target.ok() && !target.inexact)}});
    }
    return jsonArray(rows);
}

// The working as labelled lines under each section's title, then the ladder as a table whose
// own row says what the command line showed.
QString detailsText(const CalculationDetails& details, bool english, const QLocale& locale)
{
    QString text = detailsTitle(english) + u'\n';
    for (const DetailSection& section : workingSections(details, english, locale)) {
        QList<LabelledLine> lines;
        for (const DetailLine& line : section.lines)
            lines.append({line.label, line.value, false});
        text += u"\n"_s + section.title + u'\n' + labelledLines(lines, english, u"  "_s);
    }
    QList<QStringList> rows;
    for (const LadderRow& row : details.ladder)
        rows << ladderCells(row, details, english, locale, PriceShownBy::CommandLine);
    return text + u"\n"_s + ladderTitle(english) + u'\n' +
           alignedTable(ladderHeader(english), rows, {true, true, true, false}, u"  "_s);
}

} // namespace

QString messageText(const Message& message)
{
    return displayText(message.text);
}

QString reportText(const CalcReport& report, const QString& scheduleName, bool english,
                   const QLocale& locale)
{
    const SellingPrice& result = report.result;
    const auto euros = [](double value, EurosVariant variant) {
        return Texte_Euros(value, variant).trimmed();
    };
    // The captions of the window's result frames, in the order of the JSON keys.
    const QList<LabelledLine> lines{
        {pick(english, u"Barème"_s, u"Fee schedule"_s), scheduleName, false},
        {pick(english, u"Frais de courtage à l'achat"_s, u"Purchase fee"_s),
         feeEuros(result.purchaseFee, locale)},
        {pick(english, u"Prix de revient unitaire"_s, u"Cost price / unit"_s),
         euros(result.costPrice, EurosVariant::Price)},
        {pick(english, u"Prix de vente minimum"_s, u"Selling price minimum"_s),
         euros(result.price, EurosVariant::Price)},
        {pick(english, u"Frais de courtage à la vente"_s, u"Sale fee"_s),
         feeEuros(result.saleFee, locale)},
        {pick(english, u"Bénéfice avant impôt"_s, u"Profit before tax"_s),
         euros(result.profitBeforeTax, EurosVariant::Profit)},
        {pick(english, u"Bénéfice après impôt"_s, u"Profit after tax"_s),
         euros(result.profitAfterTax, EurosVariant::Profit)},
    };
    QString text = labelledLines(lines, english);
    if (result.inexact)
        text += shortPriceNote(result, locale, english) + u'\n';
    if (report.details)
        text += u"\n"_s + detailsText(*report.details, english, locale);
    return text;
}

QString reportJson(const CalcReport& report, const QString& scheduleName)
{
    if (!report.ok()) {
        const QString error = jsonObject({{u"kind"_s, jsonString(errorKind(report.kind))},
                                          {u"message"_s, jsonString(messageText(report.refusal))}});
        return jsonObject({{u"error"_s, error}});
    }
    const SellingPrice& result = report.result;
    JsonMembers members{{u"schedule"_s, jsonString(scheduleName)}};
    members += resultMembers(result);
    const SaleAtShownPrice& sale = report.sale;
    members += {{u"profit_before_tax_at_price"_s, jsonEuros(sale.profitBeforeTax)},
                {u"profit_after_tax_at_price"_s, jsonEuros(sale.profitAfterTax)},
                {u"reaches_target"_s, jsonBool(sale.reachesTarget)}};
    if (sale.firstReachingPrice > 0 &&
        jsonEuros(sale.firstReachingPrice) != jsonEuros(result.price))
        members.append({u"first_reaching_price"_s, jsonEuros(sale.firstReachingPrice)});
    if (result.inexact)
        members.append({u"next_cent"_s, jsonObject({{u"price"_s, jsonEuros(result.nextCentPrice)},
                                                    {u"profit_after_tax"_s,
                                                     jsonEuros(result.nextCentProfitAfterTax)}})});
    if (report.details) {
        members.append({u"break_even"_s, targetPrice(report.details->breakEven)});
        members.append({u"ladder"_s, ladderJson(*report.details)});
    }
    return jsonObject(members);
}

QStringList csvResultHeader()
{
    QStringList header;
    for (const auto& member : resultMembers(SellingPrice{}))
        header << member.first;
    return header << u"next_cent_price"_s << u"next_cent_profit_after_tax"_s << u"error"_s;
}

QStringList csvResultCells(const CalcReport& report, const CsvDialect& dialect)
{
    if (!report.ok()) {
        QStringList cells(csvResultHeader().size() - 1);
        return cells << messageText(report.refusal).replace(u'\n', u' ');
    }
    QStringList cells;
    const SellingPrice& result = report.result;
    for (const auto& member : resultMembers(result))
        cells << withDecimalMark(member.second, dialect);
    if (result.inexact)
        cells << withDecimalMark(jsonEuros(result.nextCentPrice), dialect)
              << withDecimalMark(jsonEuros(result.nextCentProfitAfterTax), dialect);
    else
        cells << QString() << QString();
    return cells << QString();
}
