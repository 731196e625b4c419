// The Help menu: read-me, homepage, version message, updater.
#include "core/FileTrust.h"
#include "platform/DetachedStart.h"
#include "ui/MenuTable.h"
#include "ui/ProductInfo.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QFileInfo>
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
    const QString path = UpdaterPath(m_programFolder);
    if (path.isEmpty())
        return;
    // Anyone who may change the file beside the executable (in a shared
    // folder anyone may put one there) would choose what runs as this user.
    const FileTrust trust = CheckProgramFile(path);
    if (trust == FileTrust::Missing)
        return;
    if (trust != FileTrust::Trusted) {
        setStatusText(QStringLiteral("自動更新を起動しませんでした（%1 は%2）")
                          .arg(QFileInfo(path).fileName(), DistrustText(trust)));
        return;
    }
    // Run, not opened: opening an executable hands it to a viewer. It is
    // left to run; the program goes on.
    QString reason;
    if (!StartDetached(path, m_programFolder, &reason))
        setStatusText(QStringLiteral("自動更新を起動できませんでした（%1）").arg(reason));
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
