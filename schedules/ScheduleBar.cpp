#include "ScheduleBar.h"

#include "ScheduleNames.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyle>
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

// Clear of the frame of the page below the tabs, and of its right edge.
constexpr int gap = 2;

} // namespace

ScheduleBar::ScheduleBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ScheduleBar"));
    Combo_Bareme = new QComboBox(this);
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
}

void ScheduleBar::showNames(const QStringList& names, const QString& current)
{
    const QSignalBlocker blocker(Combo_Bareme);
    Combo_Bareme->clear();
    Combo_Bareme->addItems(names);
    for (int i = 0; i < Combo_Bareme->count(); ++i) {
        if (sameScheduleName(Combo_Bareme->itemText(i), current))
            Combo_Bareme->setCurrentIndex(i);
    }
    SupprimerBareme->setEnabled(names.size() > 1);
}

QString ScheduleBar::current() const
{
    return Combo_Bareme->currentText();
}

void ScheduleBar::setListName(const QString& name)
{
    Combo_Bareme->setAccessibleName(name);
    Combo_Bareme->setToolTip(name);
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
