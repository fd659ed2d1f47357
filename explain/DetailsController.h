#pragma once

#include <QObject>
#include <QString>

#include <functional>

class DetailsWindow;
class MainWindowSeam;
struct CalculationInput;

// The calculation details: the window beside the main one, opened on the calculation on show
// (or on one a capability hands over) and kept in step with the main window's results.
class DetailsController : public QObject
{
    Q_OBJECT

public:
    DetailsController(MainWindowSeam& window, QObject* parent);

    // Fichier › Détail du calcul: the calculation whose results are on show.
    void open();
    // Another calculation of the program, such as a sale of a position, with the name of the
    // fee schedule it was made with.
    void open(const CalculationInput& input, const QString& scheduleName);

    // The name of the fee schedule in use, which the printed details carry; none when unset.
    std::function<QString()> scheduleInUse;

    DetailsWindow* detailsWindow() const { return m_details; }

private:
    void showCalculation(const CalculationInput& input, const QString& scheduleName);
    void refresh();
    void followInputs();
    void hide();

    MainWindowSeam& m_window;
    // Built on first use, so that start-up does not pay for it.
    DetailsWindow* m_details = nullptr;
    // Whether the window shows the main window's own calculation, which it then follows.
    bool m_followsResults = false;
};
