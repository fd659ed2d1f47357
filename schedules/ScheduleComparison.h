#pragma once

#include "CalcOutcome.h"
#include "PriceRounding.h"
#include "SaleAtPrice.h"
#include "ScheduleTexts.h"
#include "Trade.h"

#include <QList>
#include <QString>

#include <optional>

struct NamedSchedule
{
    QString name;
    ScheduleTexts texts; // as the fee page or the settings file holds them
    bool inUse = false;
};

// One schedule's answer for the trade, as the calculate command would give it on that schedule
// alone: its texts tidied and checked by the fee rules first, then the search.
struct ComparisonRow
{
    QString name;
    bool inUse = false;
    CalcStatus status = CalcStatus::Done;
    SellingPrice result;
    // Why the fee rules or the search refuse the schedule, in one line: set instead of numbers.
    QString error;
    bool cheapest = false; // the lowest price that really brings the wanted profit of all rows
    // The first cent whose sale really brings the wanted profit, as the details find it: the
    // price the rows are ranked by. The result's price may lie below it, by the rounding to the
    // nearest cent or in a jump of the fee.
    std::optional<SaleAtPrice> reaching;

    bool overLimit() const
    {
        return status == CalcStatus::PurchaseOverLimit || status == CalcStatus::SaleOverLimit;
    }
    bool hasPrice() const { return status == CalcStatus::Done; }
    // The price the schedule is compared at.
    double rankedPrice() const { return reaching ? reaching->price : result.price; }
    // The main window shows a price that brings less than the wanted profit.
    bool shownFallsShort() const { return reaching && reaching->price != result.price; }
};

// The rows of the lowest price that really brings the wanted profit first (each marked
// cheapest), then the others by that price, the higher profit after tax first at the same price,
// then the schedules over the limit, then those refused; in the order given within a tie. Each
// price is rounded as the main window rounds it. The zero-fee question of the fee rules counts as
// answered Yes: a schedule without fees is one to compare. The texts of the messages follow the
// language code.
QList<ComparisonRow> compareSchedules(const QList<NamedSchedule>& schedules, const Trade& trade,
                                      double taxRate, PriceRounding rounding,
                                      const QString& languageCode);
