#pragma once

#include "IniStore.h"
#include "ScheduleComparison.h"

#include <QObject>

#include <optional>

class CompareWindow;
class MainWindowSeam;
class Messenger;
class ScheduleBar;
struct ScheduleTexts;

// The named fee schedules: the list and the button of the fee page, their steps on the settings
// file and the comparison window. The fee page itself stays the main window's: what is on it is
// read and put through the seam.
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

    // The name of the schedule in use, as the list shows it.
    QString nameInUse() const;

    CompareWindow* compareWindow() const { return m_compare; }

private:
    bool english() const;
    void askNewSchedule(bool copyOfCurrent);
    void refreshBar();
    void refreshComparison();
    void fillComparison();
    void showFailure();
    // After a change of the file: the fee page takes the schedule now in use, or nothing came
    // of the change and the failure is said.
    bool showInUse(const std::optional<ScheduleTexts>& inUse);

    IniStore m_store;
    Messenger& m_messenger;
    MainWindowSeam& m_window;
    ScheduleBar& m_bar;
    // Built on first use, so that start-up does not pay for it.
    CompareWindow* m_compare = nullptr;
    std::optional<QList<NamedSchedule>> m_storedSchedules; // the schedules not in use
};
