#pragma once

#include "ScheduleComparison.h"

#include <QList>
#include <QRect>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

// The schedules side by side for the trade of the data page, the cheapest first. It writes
// nothing itself: making a schedule the one in use is asked of the owner through useSchedule.
class CompareWindow : public QWidget
{
    Q_OBJECT

public:
    explicit CompareWindow(QWidget* parent);

    // summary says what was compared (the trade and the tax rate), in the window's language.
    void showRows(const QString& summary, const QList<ComparisonRow>& rows);
    // The trade cannot be compared as it stands: no rows, and a line that says why.
    void showIncomplete();
    void setEnglish(bool english);
    // Shown and brought to the front. Each time it opens it fits its rows and columns and goes
    // beside the owner, unless the user sized or moved it, which is kept.
    void showBeside(const QWidget& owner, const QRect& fields);

    QString plainText() const;
    void copyToClipboard() const;

    std::function<void(const QString& name)> useSchedule;

    QLabel* summaryLabel;
    QTableWidget* table;
    QPushButton* useButton;
    QPushButton* copyButton;
    QPushButton* closeButton;

private:
    void applyTexts();
    void fillTable();
    void selectionChanged();
    void useSelected();
    QSize fittingSize() const;
    int wrappedWidth() const;
    int narrowestColumn(int column) const;
    int columnNeed(int column) const;
    void fitColumns();
    void spanRefusals();
    QString selectedName() const;
    int selectedRow() const; // in m_rows, or -1

    QString m_summary;
    QList<ComparisonRow> m_rows;
    bool m_english = false;
    bool m_incomplete = false;
    bool m_placed = false;
    QRect m_placedGeometry; // the frame's, as last placed
};
