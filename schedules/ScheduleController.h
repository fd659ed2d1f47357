#pragma once

#include "IniStore.h"
#include "ScheduleComparison.h"

#include <QObject>

#include <optional>

class CompareWindow;
class MainWindowSeam;
class Messenger;
class ScheduleBar;
struct ScheduleChange;
struct ScheduleList;
struct ScheduleTexts;

// The named fee schedules: the list and the button of the fee page, their steps on the settings
// file and the comparison window. The fee page itself stays the main window's: what is on it is
// read and put through the seam. The window acts on the schedule it shows, by name, whatever
// another window or program has made the file's schedule in use since.
class ScheduleController : public QObject
{
    Q_OBJECT

public:
    ScheduleController(IniStore store, Messenger& messenger, MainWindowSeam& window,
                       ScheduleBar& bar, QObject* parent);

    // Handlers of the list, of the button's menu items and of Fichier › Comparer les barèmes.
    void Combo_Bareme_Activated(const QString& chosen);
    void NouveauBareme_Click();
    void NouveauBaremeVide_Click();
    void RenommerBareme_Click();
    void SupprimerBareme_Click();
    void ExporterBareme_Click();
    void ImporterBareme_Click();
    void ComparerBaremes_Click();

    // The steps behind the handlers, once a name or a file has been chosen. Each returns whether
    // it went through; a refusal has shown its message.
    bool switchSchedule(const QString& name);
    bool createSchedule(const QString& name, bool copyOfCurrent);
    bool renameSchedule(const QString& name);
    bool deleteSchedule(); // after a Yes to its question
    bool exportSchedule(const QString& path);
    bool importSchedule(const QString& path);

    // The name of the schedule the window shows, as the list shows it.
    QString nameInUse() const { return m_shown; }
    // Keeps the fee page in the schedule the window shows: on each calculation and on quitting.
    void keepFees(const ScheduleTexts& page);

    CompareWindow* compareWindow() const { return m_compare; }

private:
    bool english() const;
    void askNewSchedule(bool copyOfCurrent);
    void refreshBar();
    // The list for the schedule the window shows; one deleted or renamed elsewhere is said, and
    // the window goes over to the file's schedule in use.
    ScheduleList readList();
    void refreshComparison();
    void fillComparison();
    // After a change of the file: the window shows the schedule the change names, and the fee
    // page its texts when asked; or nothing came of the change and the message says why.
    bool showChange(const ScheduleChange& change, bool showTexts = true);

    IniStore m_store;
    Messenger& m_messenger;
    MainWindowSeam& m_window;
    ScheduleBar& m_bar;
    // Built on first use, so that start-up does not pay for it.
    CompareWindow* m_compare = nullptr;
    QString m_shown; // the schedule of the fee page, as the file spells it
    std::optional<QList<NamedSchedule>> m_storedSchedules; // the schedules not in use
};
