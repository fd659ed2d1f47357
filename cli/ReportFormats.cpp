#include "ReportFormats.h"

#include "DetailsDocument.h"
#include "Language.h"
#include "NumberText.h"
#include "ResultTexts.h"

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

using Members = QList<std::pair<QString, QString>>;

QString centsText(double amount)
{
    return QString::number(amount, 'f', 2);
}

QString truthText(bool value)
{
    return value ? u"true"_s : u"false"_s;
}

QString jsonString(const QString& text)
{
    QString quoted = u"\""_s;
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            quoted += u"\\"_s + c;
        else if (c == u'\n')
            quoted += u"\\n"_s;
        else if (c.unicode() < 0x20)
            quoted += u"\\u%1"_s.arg(uint(c.unicode()), 4, 16, QChar(u'0'));
        else
            quoted += c;
    }
    return quoted + u'"';
}

// Members in the order given, which QJsonObject would sort.
QString jsonObject(const Members& members)
{
    QStringList written;
    for (const auto& [key, value] : members)
        written << jsonString(key) + u':' + value;
    return u"{"_s + written.join(u',') + u'}';
}

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

Members resultMembers(const SellingPrice& result)
{
    return {{u"purchase_fee"_s, centsText(result.purchaseFee)},
            {u"cost_price"_s, centsText(result.costPrice)},
            {u"minimum_price"_s, centsText(result.price)},
            {u"sale_fee"_s, centsText(result.saleFee)},
            {u"profit_before_tax"_s, centsText(result.profitBeforeTax)},
            {u"profit_after_tax"_s, centsText(result.profitAfterTax)},
            {u"exact"_s, truthText(!result.inexact)}};
}

QString targetPrice(const TargetPrice& target)
{
    return target.ok() ? centsText(target.sale.price) : u"null"_s;
}

QString ladderJson(const CalculationDetails& details)
{
    QStringList rows;
    for (const LadderRow& row : details.ladder) {
        const TargetPrice& target = row.target;
        rows << jsonObject({{u"wanted"_s, centsText(target.wantedProfit)},
                            {u"price"_s, targetPrice(target)},
                            {u"profit_after_tax"_s,
                             target.ok() ? centsText(target.sale.profitAfterTax) : u"null"_s},
                            {u"exact"_s, truthText(target.ok() && !target.inexact)}});
    }
    return u"["_s + rows.join(u',') + u']';
}

} // namespace

QString messageText(const Message& message)
{
    return displayText(message.text);
}

QString reportText(const CalcReport& report, bool english, const QLocale& locale)
{
    const SellingPrice& result = report.result;
    const QString colon = english ? u": "_s : u" : "_s;
    const auto euros = [](double value, EurosVariant variant) {
        return Texte_Euros(value, variant).trimmed();
    };
    // The captions of the window's result frames, in the order of the JSON keys.
    const struct
    {
        QString french;
        QString english;
        QString value;
    } lines[] = {
        {u"Frais de courtage à l'achat"_s, u"Purchase fee"_s, feeEuros(result.purchaseFee, locale)},
        {u"Prix de revient unitaire"_s, u"Cost price / unit"_s,
         euros(result.costPrice, EurosVariant::Price)},
        {u"Prix de vente minimum"_s, u"Selling price minimum"_s,
         euros(result.price, EurosVariant::Price)},
        {u"Frais de courtage à la vente"_s, u"Sale fee"_s, feeEuros(result.saleFee, locale)},
        {u"Bénéfice avant impôt"_s, u"Profit before tax"_s,
         euros(result.profitBeforeTax, EurosVariant::Profit)},
        {u"Bénéfice après impôt"_s, u"Profit after tax"_s,
         euros(result.profitAfterTax, EurosVariant::Profit)},
    };
    QString text;
    for (const auto& line : lines)
        text += pick(english, line.french, line.english) + colon + line.value + u'\n';
    if (result.inexact)
        text += shortPriceNote(result, locale, english) + u'\n';
    if (report.details)
        text += u"\n"_s + detailsPlainText(*report.details, english, locale);
    return text;
}

QString reportJson(const CalcReport& report)
{
    if (!report.ok()) {
        const QString error = jsonObject({{u"kind"_s, jsonString(errorKind(report.kind))},
                                          {u"message"_s, jsonString(messageText(report.refusal))}});
        return jsonObject({{u"error"_s, error}});
    }
    const SellingPrice& result = report.result;
    Members members = resultMembers(result);
    if (result.inexact)
        members.append({u"next_cent"_s, jsonObject({{u"price"_s, centsText(result.nextCentPrice)},
                                                    {u"profit_after_tax"_s,
                                                     centsText(result.nextCentProfitAfterTax)}})});
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

QStringList csvResultCells(const CalcReport& report)
{
    if (!report.ok()) {
        QStringList cells(csvResultHeader().size() - 1);
        return cells << messageText(report.refusal).replace(u'\n', u' ');
    }
    QStringList cells;
    const SellingPrice& result = report.result;
    for (const auto& member : resultMembers(result))
        cells << member.second;
    if (result.inexact)
        cells << centsText(result.nextCentPrice) << centsText(result.nextCentProfitAfterTax);
    else
        cells << QString() << QString();
    return cells << QString();
}
