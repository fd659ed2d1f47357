#pragma once

#include "FeeRow.h"
#include "ScheduleTexts.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class ScheduleBar;
struct ScheduleFieldRef;

// The fee page: five brackets of trade amounts with their fee, then the minimum and maximum fee.
class FeePage : public QWidget
{
    Q_OBJECT

public:
    explicit FeePage(QWidget* parent = nullptr);

    std::array<FeeRow, bracketCount> rows;
    QLabel* Label8;
    QLineEdit* Text_Mini;
    QLabel* Label9;
    QLineEdit* Text_Maxi;
    QPushButton* Bout_EffaceFrais;
    // The named schedules, after the schedule's own controls in the keyboard order. The window
    // shows them in the corner of the page tabs, where they take no room from the page.
    ScheduleBar* scheduleBar;

    ScheduleTexts schedule() const;
    void setSchedule(const ScheduleTexts& schedule);

    // The controls in their keyboard order on this page.
    QList<QWidget*> keyboardOrder() const;

    QWidget* field(const ScheduleFieldRef& ref) const;
    // A minimum of 0 and a maximum of 0 or of the open bound are no limits: shown empty.
    void clearNoLimits();
};
