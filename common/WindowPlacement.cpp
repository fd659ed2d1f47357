#include "WindowPlacement.h"

#include <QList>

#include <algorithm>
#include <utility>

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

WindowPlacement placeBeside(const QRect& area, const QRect& owner, const QRect& fields,
                            const QSize& frame, const QSize& wanted, const QSize& minimum,
                            int narrowest, std::optional<int> headerBottom)
{
    QSize size = wanted.boundedTo(area.size() - frame).expandedTo(minimum);
    const int roomRight = area.right() - owner.right();
    const int roomLeft = owner.left() - area.left();
    const int room = std::max(roomRight, roomLeft) - frame.width();
    if (size.width() > room && room >= std::max(narrowest, minimum.width()))
        size.setWidth(room);
    const QSize outer = size + frame;
    // In order of preference; the first that covers least of the fields, then of the owner,
    // wins.
    QList<QRect> tries{
        QRect(QPoint(owner.right() + 1, owner.top()), outer),
        QRect(QPoint(owner.left() - outer.width(), owner.top()), outer),
        QRect(QPoint(owner.left(), owner.bottom() + 1), outer),
        QRect(QPoint(owner.left(), owner.top() - outer.height()), outer),
    };
    // A window centred by the window manager on a small screen leaves room beside neither side
    // of it, but often beside its fields, which lie to its left, over the rest of it.
    // Below the owner's title bar and menu, where they are known.
    const QRect header =
        headerBottom ? QRect(owner.topLeft(), QPoint(owner.right(), *headerBottom)) : QRect();
    const int rightOfFields = area.right() - fields.right() - frame.width();
    if (narrowest <= area.width() && rightOfFields >= minimum.width()) {
        const int top = headerBottom ? std::max(owner.top(), *headerBottom + 1) : owner.top();
        // Below the menu it is as tall as the screen leaves, down to its minimum.
        const int height =
            headerBottom
                ? std::max(minimum.height(),
                           std::min(size.height(), area.bottom() + 1 - top - frame.height()))
                : size.height();
        tries.append(QRect(QPoint(fields.right() + 1, top),
                           QSize(std::min(size.width(), rightOfFields), height) + frame));
    }
    QRect best;
    std::pair<qint64, qint64> least{-1, -1};
    for (const QRect& at : tries) {
        const QRect window(keptInArea(area, at.topLeft(), at.size()), at.size());
        const std::pair<qint64, qint64> cover{covered(window, fields) + covered(window, header),
                                              covered(window, owner)};
        if (least.first < 0 || cover < least) {
            least = cover;
            best = window;
        }
    }
    return {best.topLeft(), best.size() - frame};
}

QPoint keptInArea(const QRect& area, const QPoint& topLeft, const QSize& outer)
{
    return {within(topLeft.x(), outer.width(), area.left(), area.width()),
            within(topLeft.y(), outer.height(), area.top(), area.height())};
}
