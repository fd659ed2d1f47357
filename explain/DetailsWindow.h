#pragma once

#include "CalculationDetails.h"
#include "DetailsText.h"
#include "ProfitCurve.h"

#include <QWidget>

#include <optional>

class QAction;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class ProfitChart;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTableWidget;
class QTextBrowser;

// The working of the last calculation, the profit at any price, the break-even price and a
// ladder of targets, beside the main window. It only shows: it writes no field and no setting.
class DetailsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DetailsWindow(QWidget* parent);

    // A new calculation: everything is shown afresh and the price field holds its price.
    void showCalculation(const CalculationDetails& details);
    void setEnglish(bool english);
    // The schedule the calculation was made with, named on the printed details.
    void setScheduleName(const QString& name) { m_scheduleName = name; }
    // The main window's results no longer match its inputs: a line at the top says so.
    void setOutOfDate(bool outOfDate);
    // Shown and brought to the front; the first time beside the owner, where the screen allows.
    void showBeside(const QWidget& owner, const QRect& fields);

    QString plainText() const;
    void copyToClipboard() const;
    void print();
    // What "Print" puts on paper, on one page of the device.
    void printTo(QPagedPaintDevice& device) const;

    QLabel* outOfDateLabel;
    QScrollArea* scroller;
    QSplitter* splitter;
    QTextBrowser* working;
    QGroupBox* priceFrame;
    QLabel* priceLabel;
    QLineEdit* priceField;
    QGroupBox* ladderFrame;
    QTableWidget* ladder;
    ProfitChart* chart;
    QPushButton* copyButton;
    QPushButton* printButton;
    QPushButton* closeButton;

    // The readout of the price field: a label and a value per line.
    QList<QLabel*> readoutLabels;
    QList<QLabel*> readoutValues;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

public:
    // Whether the parts are one under the other: the window is too narrow for them side by side.
    bool isNarrow() const { return m_narrow; }

private:
    int wideWidth() const;
    void placeReadout(bool stacked);
    void fitLayout();
    void applyTexts();
    void showLadder();
    void fitLadderHeight();
    void fitWorkingHeight();
    void priceEdited();
    void showCurve(const ProfitCurve& curve);
    void showReadout(const QList<DetailLine>& lines);

    QAction* m_copy;
    ProfitCurve m_curve;      // the calculation's own range
    ProfitCurve m_shownCurve; // widened to the typed price where it lies outside
    std::optional<CalculationDetails> m_details;
    bool m_english = false;
    bool m_placed = false;
    QString m_scheduleName;
    bool m_narrow = false;
    bool m_laidOut = false;
    QGridLayout* m_priceLayout = nullptr;
    QWidget* m_right = nullptr;
};
