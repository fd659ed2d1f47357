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
#include "TradeCheck.h"
#include "TradeValues.h"

namespace {

// Keeps what the preparation would show; a question is answered Yes, as the user who keeps
// a schedule without fees on purpose answers it in the window.
class KeptMessages : public Messenger
{
public:
    void inform(const Message& message) override { messages.append(message); }
    bool confirm(const Message& message) override
    {
        messages.append(message);
        return true;
    }

    QList<Message> messages;
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
    PreparedSchedule prepared{scheduleFromTexts(texts), kept.messages, std::nullopt};
    if (refusal)
        prepared.refusal = prepared.notices.isEmpty() ? Message{} : prepared.notices.takeLast();
    return prepared;
}

CalcReport calculateTrade(const CalcRequest& request, const PreparedSchedule& schedule,
                          const SavedSettings& saved, bool english, const QLocale& locale,
                          bool withDetails)
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
    if (schedule.refusal)
        return refused(ReportKind::Fees, *schedule.refusal);

    const CalculationInput input{schedule.schedule, tradeFromTexts(texts, request.percentMode),
                                 rateValue(rateText, locale), saved.rounding};
    const CalcOutcome outcome =
        findSellingPrice(input.schedule, input.trade, input.taxRate, input.rounding);
    if (!outcome.ok())
        return refused(kindOf(outcome.status), refusalMessage(outcome, languageCode));
    CalcReport report;
    report.result = outcome.result;
    if (withDetails)
        report.details = explainCalculation(input);
    return report;
}
