#include "ScheduleBar.h"

#include "ScheduleNames.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyle>
#include <QStylePainter>
#include <QToolButton>

#include <algorithm>

namespace {

QAction* item(QMenu* menu, const char* name)
{
    auto* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// The arrow that says a menu opens is drawn over the button's corner, against its text,
// unless the button makes room for it.
class MenuButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

    QSize sizeHint() const override
    {
        return QToolButton::sizeHint() +
               QSize(style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, this), 0);
    }
};

// A long name is elided where the list is narrow, never cut in the middle of a letter; the
// tooltip and the open list show it whole.
class ElidingCombo : public QComboBox
{
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        option.currentText =
            fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width());
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

// Clear of the frame of the page below the tabs, and of its right edge.
constexpr int gap = 2;

} // namespace

ScheduleBar::ScheduleBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ScheduleBar"));
    Combo_Bareme = new ElidingCombo(this);
    Combo_Bareme->setObjectName(QStringLiteral("Combo_Bareme"));
    // Long names must not widen the page, and so the window.
    Combo_Bareme->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo_Bareme->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    Combo_Bareme->setMinimumContentsLength(6);
    Bout_Baremes = new MenuButton(this);
    Bout_Baremes->setObjectName(QStringLiteral("Bout_Baremes"));
    Bout_Baremes->setPopupMode(QToolButton::InstantPopup);
    Bout_Baremes->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* menu = new QMenu(Bout_Baremes);
    menu->setObjectName(QStringLiteral("Menu_Baremes"));
    NouveauBareme = item(menu, "NouveauBareme");
    NouveauBaremeVide = item(menu, "NouveauBaremeVide");
    RenommerBareme = item(menu, "RenommerBareme");
    SupprimerBareme = item(menu, "SupprimerBareme");
    menu->addSeparator();
    ExporterBareme = item(menu, "ExporterBareme");
    ImporterBareme = item(menu, "ImporterBareme");
    Bout_Baremes->setMenu(menu);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, gap, gap);
    layout->setSpacing(2);
    layout->addWidget(Combo_Bareme, 1);
    layout->addWidget(Bout_Baremes);

    connect(Combo_Bareme, &QComboBox::activated, this, &ScheduleBar::chosen);
    // Back to the schedule in use once the choice has been read, before any message of the
    // switch shows: a switch refused never leaves the other name in the list.
    connect(Combo_Bareme, &QComboBox::activated, this, &ScheduleBar::showInUse,
            Qt::QueuedConnection);
}

void ScheduleBar::chosen(int index)
{
    const QString name = Combo_Bareme->itemText(index);
    if (!sameScheduleName(name, m_inUse))
        emit switchAsked(name);
}

void ScheduleBar::showInUse()
{
    const QSignalBlocker blocker(Combo_Bareme);
    for (int i = 0; i < Combo_Bareme->count(); ++i) {
        if (sameScheduleName(Combo_Bareme->itemText(i), m_inUse))
            Combo_Bareme->setCurrentIndex(i);
    }
}

void ScheduleBar::updateToolTip()
{
    Combo_Bareme->setToolTip(m_inUse.isEmpty() ? m_listName : m_listName + u'\n' + m_inUse);
}

void ScheduleBar::showNames(const QStringList& names, const QString& current)
{
    const QSignalBlocker blocker(Combo_Bareme);
    Combo_Bareme->clear();
    Combo_Bareme->addItems(names);
    int widest = 0;
    for (int i = 0; i < Combo_Bareme->count(); ++i) {
        Combo_Bareme->setItemData(i, names[i], Qt::ToolTipRole);
        widest = std::max(widest, Combo_Bareme->fontMetrics().horizontalAdvance(names[i]));
    }
    // The open list shows every name whole, wider than the closed one where it must be.
    Combo_Bareme->view()->setMinimumWidth(
        widest + 4 * style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    m_inUse = current;
    showInUse();
    updateToolTip();
    SupprimerBareme->setEnabled(names.size() > 1);
}

QString ScheduleBar::current() const
{
    return Combo_Bareme->currentText();
}

void ScheduleBar::setListName(const QString& name)
{
    Combo_Bareme->setAccessibleName(name);
    m_listName = name;
    updateToolTip();
}

void ScheduleBar::fitInto(const QSize& room)
{
    m_room = room;
    Combo_Bareme->setMaximumHeight(std::max(1, room.height() - gap));
    Bout_Baremes->setMaximumHeight(std::max(1, room.height() - gap));
    setFixedWidth(room.width());
    updateGeometry();
}

QSize ScheduleBar::sizeHint() const
{
    const QSize natural = QWidget::sizeHint();
    if (m_room.isEmpty())
        return natural;
    return {m_room.width(), std::min(natural.height(), m_room.height())};
}
