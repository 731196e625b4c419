// Renaming on disk, undo, and the round trip through a text editor.
#include "core/RenameWalk.h"
#include "editor/EditorRoundTrip.h"
#include "platform/EditorPlatform.h"
#include "platform/IconTable.h"
#include "ui/WalkRunner.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

void frmMain::buildEditorRoundTrip()
{
    if (!m_services.editorLauncher)
        return;
    EditorRoundTripHooks hooks;
    hooks.hideWindow = [this] { hide(); };
    hooks.showWindow = [this] { show(); };
    hooks.bringToFront = [this] {
        raise();
        activateWindow();
    };
    hooks.setCaption = [this](const QString& caption) { setWindowTitle(caption); };
    hooks.setEditorPath = [this](const QString& path) { m_editorPath->setText(path); };
    // Run from the editor's timer: the rename is a command like a click.
    hooks.renameAll = [this] { runInFrame([this] { renameRows(RenameWalkKind::All); }); };
    m_roundTrip = new EditorRoundTrip(m_list, m_services.exchangeFilePath, *m_services.editorLauncher,
                                      std::move(hooks), this);
    connect(m_roundTrip, &EditorRoundTrip::problem, this, &frmMain::setStatusText);
    // While the editor starts and while it runs, nothing may change the rows
    // the exchange file was written for.
    connect(m_roundTrip, &EditorRoundTrip::runningChanged, this, &frmMain::updateEnabled);
}

void frmMain::renameRows(RenameWalkKind kind)
{
    const bool wholeList = kind == RenameWalkKind::All || kind == RenameWalkKind::UndoAll;
    if (wholeList && m_list.isEmpty())
        return;
    if (wholeList)
        setStatusText(QStringLiteral("リネーム処理中"));
    // The walk starts here: nothing on disk has changed yet, and every row
    // it will take is known. The hourglass and the disabled window last
    // until it ends.
    auto walk = std::make_unique<RenameRowsWalk>(m_list, kind, *m_services.renamer, *m_services.icons);
    const RenameRowsWalk* rename = walk.get();
    const bool undo = kind == RenameWalkKind::UndoAll || kind == RenameWalkKind::UndoSelected;
    m_walks->run(std::move(walk), undo ? QStringLiteral("元に戻し中…") : QStringLiteral("リネーム中…"),
                 [this, rename, wholeList] {
                     // The walk has ended (also when it stopped at a failure):
                     // its report holds every renamed and every failed row.
                     if (wholeList)
                         setStatusText(QStringLiteral("リネーム処理が完了しました"));
                     showRenameFailures(rename->report());
                 });
}

void frmMain::showRenameFailures(const RenameReport& report)
{
    m_lastFailureText = RenameFailureText(report);
    if (m_lastFailureText.isEmpty() || !m_failureDialogs)
        return;
    // One summary after the walk, never one dialog per file; it does not
    // hold up the program.
    auto* box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Quorvane"),
                        QStringLiteral("リネームできなかったファイルがあります。"), QMessageBox::Ok, this);
    box->setInformativeText(m_lastFailureText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void frmMain::startEditorRoundTrip()
{
    if (m_roundTrip)
        m_roundTrip->start(m_editorPath->text());
}

void frmMain::chooseEditor()
{
    const QString current = m_editorPath->text();
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("ファイルを開く"),
                                                        QFileInfo(current).absolutePath(),
                                                        QStringLiteral("すべてのファイル(*)"));
    if (!chosen.isEmpty())
        m_editorPath->setText(QDir::toNativeSeparators(chosen));
}

QString frmMain::fallbackEditor() const
{
    return DefaultEditor();
}
