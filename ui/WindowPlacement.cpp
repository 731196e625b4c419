#include "ui/WindowPlacement.h"

#include "core/StoredSettings.h"
#include "ui/MainLayout.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

// The primary screen's area first: a window that is on no screen goes there.
QList<QRect> AvailableScreenAreas()
{
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    }
    return areas;
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

QSize RestorePlacement(QWidget& window, const StoredSettings& stored, qreal dpi)
{
    auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
    const QSize outer = EnforceMinimumOuterSize({stored.width, stored.height});
    const QRect placed =
        PlaceOnScreen(QRect(px(stored.left), px(stored.top), px(outer.width()), px(outer.height())),
                      AvailableScreenAreas(), QSize(px(MinimumOuterWidthTwips), px(MinimumOuterHeightTwips)));
    window.move(placed.topLeft());
    window.resize(placed.size());
    if (stored.windowState == WindowState::Maximised)
        window.setWindowState(Qt::WindowMaximized);
    else if (stored.windowState == WindowState::Minimised)
        window.setWindowState(Qt::WindowMinimized);
    return placed.size();
}

StoredSettings CurrentPlacement(const QWidget& window, qreal dpi)
{
    StoredSettings stored;
    stored.windowState = window.isMinimized()   ? WindowState::Minimised
                         : window.isMaximized() ? WindowState::Maximised
                                                : WindowState::Normal;
    if (stored.windowState == WindowState::Normal) {
        const QRect frame = PlaceOnScreen(window.frameGeometry(), AvailableScreenAreas(), QSize());
        stored.left = PixelsToTwips(frame.x(), dpi);
        stored.top = PixelsToTwips(frame.y(), dpi);
        stored.height = PixelsToTwips(frame.height(), dpi);
        stored.width = PixelsToTwips(frame.width(), dpi);
    }
    return stored;
}
