#include "core/windowplacement.h"

namespace {

qint64 distanceSquared(QPoint point, const QRect &area)
{
    const qint64 dx = point.x() < area.left() ? area.left() - point.x() : qMax(0, point.x() - area.right());
    const qint64 dy = point.y() < area.top() ? area.top() - point.y() : qMax(0, point.y() - area.bottom());
    return dx * dx + dy * dy;
}

// The area holding point, or the nearest one; the first wins a tie, so the primary screen does.
QRect areaNearest(QPoint point, const QList<QRect> &areas)
{
    QRect best = areas.first();
    qint64 bestDistance = distanceSquared(point, best);
    for (const QRect &area : areas) {
        const qint64 distance = distanceSquared(point, area);
        if (distance < bestDistance) {
            best = area;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

QRect placedOverOwner(QSize frame, QRect ownerFrame, const QList<QRect> &availableAreas)
{
    const bool hasOwner = ownerFrame.isValid();
    if (availableAreas.isEmpty()) {
        QRect placed(QPoint(), frame);
        if (hasOwner)
            placed.moveCenter(ownerFrame.center());
        return placed;
    }
    const QRect area = hasOwner ? areaNearest(ownerFrame.center(), availableAreas) : availableAreas.first();
    QRect placed(QPoint(), frame.boundedTo(area.size()));
    placed.moveCenter(hasOwner ? ownerFrame.center() : area.center());
    // Push it back in across whichever edges it crosses; it fits, so it never crosses both.
    if (placed.right() > area.right())
        placed.moveRight(area.right());
    if (placed.bottom() > area.bottom())
        placed.moveBottom(area.bottom());
    if (placed.left() < area.left())
        placed.moveLeft(area.left());
    if (placed.top() < area.top())
        placed.moveTop(area.top());
    return placed;
}

QSize initialMainWindowSize(QSize designed, QSize minimum, QRect available)
{
    if (available.isEmpty())
        return designed;
    const QSize room = available.size();
    return designed.boundedTo(room).expandedTo(minimum).boundedTo(room);
}
