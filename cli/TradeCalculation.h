#pragma once

#include "CalcRequest.h"
#include "CalculationDetails.h"
#include "FeeRules.h"
#include "Message.h"
#include "PriceRounding.h"
#include "ScheduleTexts.h"
#include "TaxRates.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

class IniStore;

// How one trade of the command line ends.
enum class ReportKind
{
    Results,
    Input,         // a trade text or the tax rate refused
    Fees,          // the fee schedule refused
    PurchaseLimit, // the purchase is above 99,999,999 euros
    SaleLimit,     // the sale would be
};

// The process's exit status for that ending: 0, 1 for a refusal, 3 over the limit.
int exitStatus(ReportKind kind);

struct CalcReport
{
    ReportKind kind = ReportKind::Results;
    Message refusal; // the window's message, when there are no results
    SellingPrice result;
    std::optional<CalculationDetails> details;

    bool ok() const { return kind == ReportKind::Results; }
};

// What the calculation takes from the settings file, read as the window reads it.
struct SavedSettings
{
    ScheduleTexts schedule;
    RateTexts rates;
    PriceRounding rounding = PriceRounding::Nearest;
};
SavedSettings readSavedSettings(const IniStore& store, const QLocale& locale);

// The saved schedule tidied and checked as the calculate command does on the fee page, with
// nothing saved and nobody to ask: a schedule without fees is taken as it is. The notices the
// window shows on the way (continuity, fees without a fee) are kept to be written out.
struct PreparedSchedule
{
    Schedule schedule;
    QList<Message> notices;
    std::optional<Message> refusal;
};
PreparedSchedule prepareSavedSchedule(ScheduleTexts texts, const QString& languageCode);

// What every trade of one run is calculated with: the settings and the schedule prepared once.
struct CalcSettings
{
    SavedSettings saved;
    PreparedSchedule schedule;
};

// One trade through the checks of the data page, then the schedule's refusal if any, then the
// search, and the details of the working when asked for.
CalcReport calculateTrade(const CalcRequest& request, const PreparedSchedule& schedule,
                          const SavedSettings& saved, bool english, const QLocale& locale,
                          bool withDetails);
