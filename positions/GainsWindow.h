#pragma once

#include "YearGains.h"

#include <QWidget>

#include <functional>

class Messenger;
class QLabel;
class QPagedPaintDevice;
class QSpinBox;
class QTableWidget;

// The realised gains of a calendar year over every position: each sale, then the year's gains,
// losses and net result; copied as text, exported as CSV, printed or saved as PDF.
class GainsWindow : public QWidget
{
    Q_OBJECT

public:
    using PositionsSource = std::function<QList<Position>()>;

    GainsWindow(PositionsSource positions, Messenger& messenger, bool english, QWidget* parent);

    // Reads the positions again and shows the year chosen.
    void refresh();
    void showYear(int year);
    void copy() const;
    void exportFile(const QString& path);
    void printTo(QPagedPaintDevice& device) const;

    QTableWidget* table() const { return m_table; }
    QLabel* totals() const { return m_totals; }
    const YearGains& gains() const { return m_gains; }

private:
    void print();

    PositionsSource m_positions;
    Messenger& m_messenger;
    bool m_english = false;
    YearGains m_gains;
    QSpinBox* m_year = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_totals = nullptr;
};
