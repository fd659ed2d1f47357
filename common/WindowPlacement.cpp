#include "WindowPlacement.h"

#include <algorithm>
#include <array>

namespace {

int within(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

qint64 covered(const QRect& window, const QRect& owner)
{
    const QRect both = window.intersected(owner);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

} // namespace

WindowPlacement placeBeside(const QRect& area, const QRect& owner, const QSize& frame,
                            const QSize& wanted, const QSize& minimum, int narrowest)
{
    QSize size = wanted.boundedTo(area.size() - frame).expandedTo(minimum);
    const int roomRight = area.right() - owner.right();
    const int roomLeft = owner.left() - area.left();
    const int room = std::max(roomRight, roomLeft) - frame.width();
    if (size.width() > room && room >= std::max(narrowest, minimum.width()))
        size.setWidth(room);
    const QSize outer = size + frame;
    // In order of preference, the first one that covers least wins.
    const std::array<QPoint, 4> tries{
        QPoint(owner.right() + 1, owner.top()),
        QPoint(owner.left() - outer.width(), owner.top()),
        QPoint(owner.left(), owner.bottom() + 1),
        QPoint(owner.left(), owner.top() - outer.height()),
    };
    QRect best;
    qint64 least = -1;
    for (const QPoint& at : tries) {
        const QRect window(keptInArea(area, at, outer), outer);
        const qint64 cover = covered(window, owner);
        if (least < 0 || cover < least) {
            least = cover;
            best = window;
        }
    }
    return {best.topLeft(), size};
}

QPoint keptInArea(const QRect& area, const QPoint& topLeft, const QSize& outer)
{
    return {within(topLeft.x(), outer.width(), area.left(), area.width()),
            within(topLeft.y(), outer.height(), area.top(), area.height())};
}
