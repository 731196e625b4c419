#include "ui/WindowPlacement.h"

#include <algorithm>

namespace {

qint64 OverlapOf(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// Low end first, so that an area smaller than the minimum wins.
int Fit(int wanted, int minimum, int available)
{
    return std::clamp(wanted, std::min(minimum, available), available);
}

} // namespace

QRect PlaceOnScreen(const QRect& wanted, const QList<QRect>& availableAreas, const QSize& minimum)
{
    if (availableAreas.isEmpty())
        return wanted;
    QRect area = availableAreas.first();
    qint64 best = 0;
    for (const QRect& candidate : availableAreas) {
        const qint64 overlap = OverlapOf(wanted, candidate);
        if (overlap > best) {
            best = overlap;
            area = candidate;
        }
    }
    const QSize size(Fit(wanted.width(), minimum.width(), area.width()),
                     Fit(wanted.height(), minimum.height(), area.height()));
    const int x = std::clamp(wanted.x(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(wanted.y(), area.top(), area.top() + area.height() - size.height());
    return {QPoint(x, y), size};
}
