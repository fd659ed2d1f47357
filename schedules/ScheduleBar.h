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
    QString current() const;
    // No caption would fit beside the list: screen readers and the tooltip name it.
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

private:
    QSize m_room;
};
