#pragma once

#include "CalculationDetails.h"
#include "MainWindowSeam.h"
#include "ScheduleTexts.h"
#include "WindowNotices.h"

#include <QWidget>

// The main window as a capability sees it, with plain values in place of its pages: a test sets
// what the window would show and reads what the capability told it.
class FakeMainWindow : public MainWindowSeam
{
public:
    QWidget* ownerWindow() override { return &owner; }
    QRect fieldsArea() const override { return owner.frameGeometry(); }
    QList<QAction*> windowWideActions() const override { return {}; }
    std::optional<Trade> checkedTrade() const override { return trade; }
    ScheduleTexts feeSchedule() const override { return page; }
    std::optional<ScheduleTexts> feeScheduleAfterRules() override
    {
        if (refuseRules)
            return std::nullopt;
        return page;
    }
    double taxRate() const override { return rate; }
    int taxOption() const override { return 1; }
    PriceRounding rounding() const override { return PriceRounding::Nearest; }
    QString languageCode() const override { return english ? QStringLiteral("A") : QString(); }
    std::optional<CalculationInput> shownCalculation() const override { return shown; }
    bool resultsOutOfDate() const override { return outOfDate; }
    bool feePageShown() const override { return onFeePage; }
    void showFeeSchedule(const ScheduleTexts& schedule) override
    {
        page = schedule;
        ++pagesShown;
    }
    WindowNotices& notices() override { return told; }

    QWidget owner;
    WindowNotices told;
    std::optional<Trade> trade;
    ScheduleTexts page;
    bool refuseRules = false;
    double rate = 26;
    bool english = false;
    std::optional<CalculationInput> shown;
    bool outOfDate = false;
    bool onFeePage = true;
    int pagesShown = 0;
};
