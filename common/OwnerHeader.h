#pragma once

#include <QMenuBar>
#include <QWidget>

// The bottom of a window's title bar and menu bar on the screen, for a window placed beside it
// (placeBeside's headerBottom). Only for windows: it needs Qt Widgets.
inline int ownerHeaderBottom(const QWidget& owner)
{
    const auto* menu = owner.findChild<const QMenuBar*>();
    if (!menu || !menu->isVisible())
        return owner.geometry().top() - 1;
    return menu->mapToGlobal(QPoint(0, menu->height())).y() - 1;
}
