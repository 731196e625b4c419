#include "platform/DesktopServices.h"
#include "platform/IconTable.h"
#include "platform/SystemFolderLister.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));

    SystemFolderLister lister;
    IconTable icons;
    SystemKeyboard keyboard;
    SystemDesktopShell shell;
    AppServices services;
    services.lister = &lister;
    services.icons = &icons;
    services.keyboard = &keyboard;
    services.shell = &shell;

    frmMain window(services);
    window.startUp(QApplication::arguments().mid(1));
    window.show();
    return QApplication::exec();
}
