#include "ui/ApplicationIcon.h"

QIcon ApplicationIcon()
{
    return QIcon::fromTheme(QStringLiteral("quorvane"), QIcon(QStringLiteral(":/icons/quorvane.svg")));
}

QString DesktopEntryName()
{
    return QStringLiteral(QUORVANE_APP_ID);
}
