#pragma once

#include "CalcRequest.h"
#include "CalculationDetails.h"
#include "FeeRules.h"
#include "Message.h"
#include "PriceRounding.h"
#include "ScheduleTexts.h"
#include "TaxRates.h"
#include "Trade.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>
#include <variant>

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

// A sale of every share at the price shown, costed as a real sale: the result labels give the
// profits the search aimed at, which the price rounded to the cent may miss by a little.
struct SaleAtShownPrice
{
    double profitBeforeTax = 0;
    double profitAfterTax = 0;
    bool reachesTarget = false;
    double firstReachingPrice = 0; // the first cent that brings the wanted profit; 0 when none
};

struct CalcReport
{
    ReportKind kind = ReportKind::Results;
    Message refusal; // the window's message, when there are no results
    SellingPrice result;
    SaleAtShownPrice sale;
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
// nothing saved and nobody to ask: a schedule without fees is taken as it is, which is said
// (noFees) rather than asked. The notices the window shows on the way (continuity, fees without
// a fee) are kept to be written out.
struct PreparedSchedule
{
    Schedule schedule;
    QList<Message> notices;
    std::optional<Message> refusal;
    bool noFees = false;
};

// The note that takes the place of the window's question about a schedule without fees.
QString noFeesNote(bool english);
PreparedSchedule prepareSavedSchedule(ScheduleTexts texts, const QString& languageCode);

// What every trade of one run is calculated with: the settings and the schedule prepared once.
struct CalcSettings
{
    SavedSettings saved;
    PreparedSchedule schedule;
    QString scheduleName;
};

// A trade that passed the checks of the data page, with its tax rate; or the report of its
// refusal.
struct CheckedTrade
{
    Trade trade;
    double taxRate = 0;
};
std::variant<CheckedTrade, CalcReport> checkRequest(const CalcRequest& request,
                                                    const SavedSettings& saved, bool english,
                                                    const QLocale& locale);

// How much of a calculation a report holds beyond the results: the sale at the price shown
// costs a second look at the prices, the details many more.
enum class CalcExtent
{
    Results,
    Sale,
    Details, // the sale as well
};

// One trade through the checks of the data page, then the schedule's refusal if any, then the
// search, and what else the extent asks for.
CalcReport calculateTrade(const CalcRequest& request, const PreparedSchedule& schedule,
                          const SavedSettings& saved, bool english, const QLocale& locale,
                          CalcExtent extent);
