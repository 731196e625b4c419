#include "ui/ApplicationIcon.h"

QIcon ApplicationIcon()
{
    return QIcon::fromTheme(QStringLiteral("quorvane"), QIcon(QStringLiteral(QUORVANE_ICON_RESOURCE)));
}

QString DesktopEntryName()
{
    return QStringLiteral(QUORVANE_APP_ID);
}
