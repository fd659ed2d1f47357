#pragma once

#include <QStringList>
#include <QWidget>

class QAction;
class QComboBox;
class QToolButton;

// The named schedules, small enough for the corner of the page tabs: the one in use, picked
// from the list to switch, and a button whose menu makes a new one, renames, deletes, exports
// or imports. Captions come from the window's caption table, by object name.
class ScheduleBar : public QWidget
{
    Q_OBJECT

public:
    explicit ScheduleBar(QWidget* parent);

    // The names in the order shown, the one in use selected; signals held back meanwhile.
    void showNames(const QStringList& names, const QString& current);
    // The name chosen last; the list shows it only until the events are next processed.
    QString current() const;
    // The schedule in use, as showNames() was last told: the list goes back to it once a choice
    // has been handed on, so that while a switch is asked, refused or confirmed, it shows the
    // schedule still in use; showNames() after a switch shows the new one.
    QString inUse() const { return m_inUse; }
    // No caption would fit beside the list: screen readers and the tooltip name it, with the
    // whole name of the schedule in use, which a narrow list elides.
    void setListName(const QString& name);
    // The room beside the tabs, which the bar keeps to so that the pages stay where they are.
    void fitInto(const QSize& room);
    QSize sizeHint() const override;

    QComboBox* Combo_Bareme;
    QToolButton* Bout_Baremes;
    QAction* NouveauBareme;
    QAction* NouveauBaremeVide;
    QAction* RenommerBareme;
    QAction* SupprimerBareme;
    QAction* ExporterBareme;
    QAction* ImporterBareme;

signals:
    // The user chose another schedule in the list: the list still shows the one in use.
    void switchAsked(const QString& name);

private:
    void chosen(int index);
    void showInUse();
    void updateToolTip();

    QSize m_room;
    QString m_inUse;
    QString m_listName;
};
