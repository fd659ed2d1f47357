#include "ScheduleComparison.h"

#include "CalcMessages.h"
#include "FeeRules.h"
#include "FieldNormalisation.h"
#include "Language.h"
#include "Messenger.h"
#include "SchedulePreparation.h"
#include "SellingPriceSearch.h"
#include "TargetPrice.h"

#include <algorithm>

namespace {

// Keeps the last message of the fee rules, which is the refusal's when they refuse, and
// answers their one question Yes.
class LastMessage : public Messenger
{
public:
    void inform(const Message& message) override { last = message; }
    bool confirm(const Message&) override { return true; }

    Message last;
};

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\n\r"), QStringLiteral(" "));
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text.simplified();
}

// The one place where the comparison runs the search.
CalcOutcome priceFor(const Schedule& schedule, const Trade& trade, double taxRate,
                     PriceRounding rounding)
{
    return findSellingPrice(schedule, trade, taxRate, rounding);
}

ComparisonRow compareOne(const NamedSchedule& named, const Trade& trade, double taxRate,
                         PriceRounding rounding, const QString& languageCode)
{
    // A refusal has no calculation behind it: it ranks with the schedules the search refuses.
    ComparisonRow row{named.name, named.inUse, CalcStatus::PriceInvalid, {}, {}, false, {}};
    ScheduleTexts texts = named.texts;
    TradeTexts noTrade;
    normaliseFields(noTrade, texts);
    // A new schedule nobody has filled in would otherwise pass as one without fees.
    const bool empty = std::all_of(texts.brackets.begin(), texts.brackets.end(),
                                   [](const BracketTexts& bracket) { return bracket.isEmpty(); });
    if (empty && texts.minimum.isEmpty() && texts.maximum.isEmpty()) {
        row.error = pick(languageCode, QStringLiteral("Barème vide : aucun frais n'est saisi"),
                         QStringLiteral("Empty schedule: no fee entered"));
        return row;
    }
    LastMessage messages;
    const auto language = [&languageCode] { return languageCode; };
    if (prepareSchedule(texts, messages, language, [](const ScheduleTexts&) {})) {
        row.error = oneLine(messages.last.text);
        return row;
    }
    const CalcOutcome outcome = priceFor(scheduleFromTexts(texts), trade, taxRate, rounding);
    row.status = outcome.status;
    row.result = outcome.result;
    if (!outcome.ok() && !row.overLimit())
        row.error = oneLine(refusalMessage(outcome, languageCode).text);
    if (outcome.ok()) {
        const TargetPrice target = lowestPriceFor(scheduleFromTexts(texts), trade, taxRate);
        if (target.ok())
            row.reaching = target.sale;
    }
    return row;
}

int rank(const ComparisonRow& row)
{
    if (row.hasPrice())
        return 0;
    return row.overLimit() ? 1 : 2;
}

} // namespace

QList<ComparisonRow> compareSchedules(const QList<NamedSchedule>& schedules, const Trade& trade,
                                      double taxRate, PriceRounding rounding,
                                      const QString& languageCode)
{
    QList<ComparisonRow> rows;
    rows.reserve(schedules.size());
    for (const NamedSchedule& named : schedules)
        rows.append(compareOne(named, trade, taxRate, rounding, languageCode));
    std::stable_sort(rows.begin(), rows.end(), [](const ComparisonRow& a, const ComparisonRow& b) {
        if (rank(a) != rank(b))
            return rank(a) < rank(b);
        if (!a.hasPrice())
            return false;
        if (a.rankedPrice() != b.rankedPrice())
            return a.rankedPrice() < b.rankedPrice();
        return a.reaching && b.reaching && a.reaching->profitAfterTax > b.reaching->profitAfterTax;
    });
    if (!rows.isEmpty() && rows.front().hasPrice()) {
        const double lowest = rows.front().rankedPrice();
        for (ComparisonRow& row : rows)
            row.cheapest = row.hasPrice() && row.rankedPrice() == lowest;
    }
    return rows;
}
