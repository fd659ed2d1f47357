#include "TradeCalculation.h"

#include "ArgumentTexts.h"
#include "CalcMessages.h"
#include "FeeStore.h"
#include "FieldNormalisation.h"
#include "IniStore.h"
#include "Messenger.h"
#include "OutputLanguage.h"
#include "RoundingSetting.h"
#include "SchedulePreparation.h"
#include "SellingPriceSearch.h"
#include "SettingsKeys.h"
#include "TargetPrice.h"
#include "TradeCheck.h"
#include "TradeValues.h"

namespace {

// Keeps what the preparation would show. Its one question, about a schedule without fees, is
// answered Yes, as the user who keeps such a schedule on purpose answers it in the window, and
// noted: nobody is there to answer it.
class KeptMessages : public Messenger
{
public:
    void inform(const Message& message) override { messages.append(message); }
    bool confirm(const Message&) override
    {
        asked = true;
        return true;
    }

    QList<Message> messages;
    bool asked = false;
};

CalcReport refused(ReportKind kind, const Message& message)
{
    CalcReport report;
    report.kind = kind;
    report.refusal = message;
    return report;
}

ReportKind kindOf(CalcStatus status)
{
    switch (status) {
    case CalcStatus::Done:
        return ReportKind::Results;
    case CalcStatus::PurchaseOverLimit:
        return ReportKind::PurchaseLimit;
    case CalcStatus::SaleOverLimit:
        return ReportKind::SaleLimit;
    case CalcStatus::PercentageFeeInvalid:
        return ReportKind::Fees;
    case CalcStatus::TaxRateInvalid:
    case CalcStatus::PriceInvalid:
        break;
    }
    return ReportKind::Input;
}

SaleAtShownPrice saleAtShownPrice(const CalculationInput& input, const SellingPrice& result)
{
    const SaleAtPrice sale =
        saleAtPrice(input.schedule, costBasis(result, input.trade, input.taxRate), result.price);
    SaleAtShownPrice shown{sale.profitBeforeTax, sale.profitAfterTax, sale.reachesWanted, 0};
    const TargetPrice lowest = lowestPriceFor(input.schedule, input.trade, input.taxRate);
    if (lowest.ok())
        shown.firstReachingPrice = lowest.sale.price;
    return shown;
}

} // namespace

int exitStatus(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Results:
        return 0;
    case ReportKind::PurchaseLimit:
    case ReportKind::SaleLimit:
        return 3;
    case ReportKind::Input:
    case ReportKind::Fees:
        break;
    }
    return 1;
}

SavedSettings readSavedSettings(const IniStore& store, const QLocale& locale)
{
    const IniStore::HeldReading reading = store.holdReading(settingsSection());
    return {loadSchedule(store), loadCalculationRates(store, locale), loadPriceRounding(store)};
}

PreparedSchedule prepareSavedSchedule(ScheduleTexts texts, const QString& languageCode)
{
    TradeTexts noTrade;
    normaliseFields(noTrade, texts);
    KeptMessages kept;
    const std::optional<ScheduleRefusal> refusal = prepareSchedule(
        texts, kept, [&languageCode] { return languageCode; }, [](const ScheduleTexts&) {});
    PreparedSchedule prepared{scheduleFromTexts(texts), kept.messages, std::nullopt, kept.asked};
    if (refusal)
        prepared.refusal = prepared.notices.isEmpty() ? Message{} : prepared.notices.takeLast();
    return prepared;
}

QString noFeesNote(bool english)
{
    return english ? QStringLiteral("No fees: calculated without brokerage fees.")
                   : QStringLiteral("Aucuns frais : calcul sans frais de courtage.");
}

std::variant<CheckedTrade, CalcReport> checkRequest(const CalcRequest& request,
                                                    const SavedSettings& saved, bool english,
                                                    const QLocale& locale)
{
    TradeTexts texts = request.texts;
    for (const TradeField field : {TradeField::Price, TradeField::Shares, TradeField::Profit}) {
        const NumericKind kind =
            field == TradeField::Shares ? NumericKind::WholeNumber : NumericKind::Decimal;
        const std::optional<QString> text = asFieldText(texts.text(field), kind);
        if (!text)
            return refused(ReportKind::Input,
                           malformedNumberMessage(field, texts.text(field), english));
        texts.text(field) = *text;
    }
    QString rateText = saved.rates[size_t(qBound(0, request.taxOption, 2))];
    if (request.taxRate) {
        const std::optional<QString> text = asFieldText(*request.taxRate, NumericKind::Decimal);
        if (!text || text->isEmpty())
            return refused(ReportKind::Input,
                           malformedNumberMessage(std::nullopt, *request.taxRate, english));
        rateText = *text;
    }

    ScheduleTexts noSchedule;
    normaliseFields(texts, noSchedule);
    const QString languageCode = languageCodeFor(english);
    if (const std::optional<TradeRefusal> refusal =
            checkTrade(texts, request.percentMode, [&languageCode] { return languageCode; }))
        return refused(ReportKind::Input, refusal->message);
    return CheckedTrade{tradeFromTexts(texts, request.percentMode), rateValue(rateText, locale)};
}

CalcReport calculateTrade(const CalcRequest& request, const PreparedSchedule& schedule,
                          const SavedSettings& saved, bool english, const QLocale& locale,
                          CalcExtent extent)
{
    const std::variant<CheckedTrade, CalcReport> checked =
        checkRequest(request, saved, english, locale);
    if (const auto* report = std::get_if<CalcReport>(&checked))
        return *report;
    if (schedule.refusal)
        return refused(ReportKind::Fees, *schedule.refusal);

    const CheckedTrade& trade = std::get<CheckedTrade>(checked);
    const CalculationInput input{schedule.schedule, trade.trade, trade.taxRate, saved.rounding};
    const CalcOutcome outcome =
        findSellingPrice(input.schedule, input.trade, input.taxRate, input.rounding);
    if (!outcome.ok())
        return refused(kindOf(outcome.status), refusalMessage(outcome, languageCodeFor(english)));
    CalcReport report;
    report.result = outcome.result;
    if (extent != CalcExtent::Results)
        report.sale = saleAtShownPrice(input, outcome.result);
    if (extent == CalcExtent::Details)
        report.details = explainCalculation(input);
    return report;
}
