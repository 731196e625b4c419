#pragma once
// The program's own icon and the desktop entry it belongs to.

#include <QIcon>
#include <QString>

// The icon theme's "quorvane" when one is installed (a desktop may restyle
// it), else the copy built into the program: the SVG, or on Windows the .ico.
[[nodiscard]] QIcon ApplicationIcon();

// The installed desktop entry's name without ".desktop"; Wayland compositors
// take the window's icon and name from that entry.
[[nodiscard]] QString DesktopEntryName();
