#pragma once
// Keeping a restored window on the screens that exist now: a rectangle
// stored on a monitor that is gone, or a size no screen can show (a damaged
// setting.ini), would open the window where nobody sees it or allocate
// gigabytes for its back buffer.

#include <QList>
#include <QRect>
#include <QSize>

// The window's outer rectangle moved and, where it is larger, shrunk so that
// it lies inside one of the available screen areas: the one it overlaps
// most, else the first (the primary screen's). It keeps `minimum` unless the
// area itself is smaller. Without any area the rectangle is kept.
[[nodiscard]] QRect PlaceOnScreen(const QRect& wanted, const QList<QRect>& availableAreas,
                                  const QSize& minimum);

class QWidget;
struct StoredSettings;

// Places a window as setting.ini has it: the outer rectangle in twips, never
// below the minimum and never beyond the screens, and its state. Returns the
// outer size, of which the frame's share is taken off once the window
// manager has framed the window.
QSize RestorePlacement(QWidget& window, const StoredSettings& stored, qreal dpi);
// The placement to store: for a maximised or minimised window only the
// state, so that the file keeps the last normal rectangle.
[[nodiscard]] StoredSettings CurrentPlacement(const QWidget& window, qreal dpi);
