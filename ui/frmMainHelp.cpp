// The Help menu: read-me, homepage, version message, updater.
#include "ui/MenuTable.h"
#include "ui/ProductInfo.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

void frmMain::updateHelpMenu()
{
    action(QStringLiteral("mnuHelpItem_0"))->setEnabled(!ReadMePath(m_programFolder).isEmpty());
    action(QStringLiteral("mnuHelpItem_99"))->setEnabled(!UpdaterPath(m_programFolder).isEmpty());
}

void frmMain::openReadMe()
{
    const QString path = ReadMePath(m_programFolder);
    if (!path.isEmpty())
        m_services.shell->open(path);
}

void frmMain::openHomepage()
{
    m_services.shell->open(HomepageAddress());
}

void frmMain::startUpdater()
{
    // Started and left to run; the program goes on.
    const QString path = UpdaterPath(m_programFolder);
    if (!path.isEmpty())
        m_services.shell->open(path);
}

QString frmMain::versionText() const
{
    const bool loaded = m_services.detector && m_services.detector->isAvailable();
    return VersionMessageText(CurrentVersion(), AuthorLine(), QStringLiteral("libmagic"),
                              loaded ? m_services.detector->version() : 0);
}

void frmMain::showVersion()
{
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Quorvane"), versionText(),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("versionBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
