#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

class QAction;
class QWidget;
class WindowNotices;
struct CalculationInput;
struct ScheduleTexts;
struct Trade;
enum class PriceRounding;

// All a capability may ask of the main window, and tell it. The main window implements it, and a
// capability knows the main window by this alone: a test drives a capability over a fake.
class MainWindowSeam
{
public:
    virtual ~MainWindowSeam() = default;

    // The window a capability's windows belong to and stand beside.
    virtual QWidget* ownerWindow() = 0;
    // On the screen: the part of the main window a window beside it must leave uncovered.
    virtual QRect fieldsArea() const = 0;
    // Actions that work from every window of the program, such as Quit.
    virtual QList<QAction*> windowWideActions() const = 0;

    // The trade on the data page when it passes the window's checks; read without a message.
    virtual std::optional<Trade> checkedTrade() const = 0;
    // The fee page's schedule as it stands.
    virtual ScheduleTexts feeSchedule() const = 0;
    // The fee page's schedule after the fee rules, with their messages; nothing when the rules
    // refuse it, and the page then shows the field at fault.
    virtual std::optional<ScheduleTexts> feeScheduleAfterRules() = 0;
    // The rate of the selected tax option, as the calculation reads it, and the option itself
    // (0, 1 or 2).
    virtual double taxRate() const = 0;
    virtual int taxOption() const = 0;
    virtual PriceRounding rounding() const = 0;
    virtual QString languageCode() const = 0;
    // What the results on show were calculated from, and whether the inputs have changed since.
    virtual std::optional<CalculationInput> shownCalculation() const = 0;
    virtual bool resultsOutOfDate() const = 0;
    virtual bool feePageShown() const = 0;

    // Puts a schedule on the fee page, as the one the window now works with.
    virtual void showFeeSchedule(const ScheduleTexts& schedule) = 0;

    // What the main window tells as it happens.
    virtual WindowNotices& notices() = 0;
};
