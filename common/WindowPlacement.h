#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

struct WindowPlacement
{
    QPoint topLeft; // of the window's frame
    QSize size;     // inside the frame
};

// Where a window of its own goes next to the owner's frame within the screen's area: beside
// it on the side with room, else above or below it, else over as little of it as the screen
// allows, the owner's fields (its left part, which the user types into and reads from) before
// the rest of it. wanted is bounded by the area and kept at least minimum. A window
// wider than the room beside the owner is narrowed to that room where it stays at least
// narrowest wide; where no such room is left, a window that may be narrowed at all goes to the
// right of the fields instead, as narrow as that takes but not below minimum. frame is the window
// manager's frame, as it is around the owner. headerBottom, when given, is the bottom of the
// owner's title bar and menu: a window that must lie over the owner stays below them, and covers
// them no more than its fields.
WindowPlacement placeBeside(const QRect& area, const QRect& owner, const QRect& fields,
                            const QSize& frame, const QSize& wanted, const QSize& minimum,
                            int narrowest, std::optional<int> headerBottom = std::nullopt);

// The frame's top left moved as little as keeps a window of that outer size whole in the area.
QPoint keptInArea(const QRect& area, const QPoint& topLeft, const QSize& outer);
