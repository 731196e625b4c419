// Renaming on disk, undo, and the round trip through a text editor.
#include "core/Paths.h"
#include "core/RenameWalk.h"
#include "editor/EditorFallback.h"
#include "editor/EditorRoundTrip.h"
#include "platform/EditorPlatform.h"
#include "platform/IconTable.h"
#include "ui/RenameReportDialog.h"
#include "ui/WalkRunner.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

void frmMain::buildEditorRoundTrip()
{
    if (!m_services.editorLauncher)
        return;
    m_roundTrip = new EditorRoundTrip(m_list, m_services.exchangeFilePath, *m_services.editorLauncher, this);
    connect(m_roundTrip, &EditorRoundTrip::hideRequested, this, &QWidget::hide);
    connect(m_roundTrip, &EditorRoundTrip::showRequested, this, &QWidget::show);
    connect(m_roundTrip, &EditorRoundTrip::raiseRequested, this, [this] {
        raise();
        activateWindow();
    });
    connect(m_roundTrip, &EditorRoundTrip::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_roundTrip, &EditorRoundTrip::editorPathChanged, m_editorPath, &QLineEdit::setText);
    connect(m_roundTrip, &EditorRoundTrip::renameRequested, this, &frmMain::renameForEditor);
    connect(m_roundTrip, &EditorRoundTrip::problem, this, &frmMain::setStatusText);
    // While the editor starts and while it runs, nothing may change the rows
    // the exchange file was written for.
    // The round trip is one command from the button until the window is
    // back, whether or not it renamed.
    connect(m_roundTrip, &EditorRoundTrip::runningChanged, this, [this](bool running) {
        updateEnabled();
        if (running)
            beginCommand();
        else
            endCommand();
    });
}

void frmMain::renameForEditor()
{
    // Run from the editor's timer: the rename is a command like a click. A
    // long walk goes on in slices after this returns; the round trip is
    // answered when it has ended.
    const bool refused = isWalking();
    runInFrame([this] { renameRows(RenameWalkKind::All, [this] { m_roundTrip->renameFinished(true); }); });
    // A walk that ended at once has answered already; without a walk (it
    // failed to start, and panel 1 says why) the round trip ends here.
    if (refused || !isWalking())
        m_roundTrip->renameFinished(false);
}

void frmMain::renameRows(RenameWalkKind kind, std::function<void()> then)
{
    const bool wholeList = kind == RenameWalkKind::All || kind == RenameWalkKind::UndoAll;
    if (wholeList && m_list.isEmpty())
        return;
    if (wholeList)
        setStatusText(QStringLiteral("リネーム処理中"));
    // The walk starts here: nothing on disk has changed yet, and every row
    // it will take is known; the journal's plan of them is on disk before
    // the first rename. The hourglass and the disabled window last until
    // it ends.
    QString batch;
    if (!beginJournal(kind, batch))
        return;
    auto walk = std::make_unique<RenameRowsWalk>(m_list, kind, *m_services.renamer, *m_services.icons);
    const RenameRowsWalk* rename = walk.get();
    const bool undo = kind == RenameWalkKind::UndoAll || kind == RenameWalkKind::UndoSelected;
    runWalk(std::move(walk), undo ? QStringLiteral("元に戻し中…") : QStringLiteral("リネーム中…"),
            [this, rename, wholeList, batch, then = std::move(then)] {
                // The walk has ended (also when it stopped at a failure):
                // its report holds every renamed and every failed row, and
                // the journal records them and marks the batch finished.
                if (wholeList)
                    setStatusText(QStringLiteral("リネーム処理が完了しました"));
                finishJournal(batch, rename->report()); // says so in panel 1 when it cannot
                showRenameFailures(rename->report());
                if (then)
                    then();
            });
}

void frmMain::showRenameFailures(const RenameReport& report)
{
    m_lastFailureText = RenameFailureText(report);
    if (m_failureDialogs) {
        // One summary after the walk, never one per file; over the rename
        // history when that is open.
        QWidget* modal = QApplication::activeModalWidget();
        RenameReportDialog::openFor(report, modal ? modal : this);
    }
}

void frmMain::startEditorRoundTrip()
{
    if (!m_roundTrip || m_roundTrip->isRunning() || m_list.isEmpty())
        return;
    if (IsExistingFile(m_editorPath->text())) {
        m_roundTrip->start(m_editorPath->text());
        return;
    }
    // The fallback may come later, from the desktop's answer: then the start
    // runs outside this click's frame and needs one of its own.
    useFallbackEditor(true, [this] { runInFrame([this] { m_roundTrip->start(m_editorPath->text()); }); });
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

void frmMain::useFallbackEditor(bool reportNone, std::function<void()> then)
{
    const QString missing = m_editorPath->text();
    m_fallbackEditor->find(this, [this, missing, reportNone, then = std::move(then)](const QString& editor) {
        if (m_editorPath->text() != missing)
            return; // the user has chosen meanwhile
        if (editor.isEmpty()) {
            if (reportNone)
                setStatusText(NoEditorFoundText(FallbackEditorFinder::lookedFor()));
            return;
        }
        m_editorPath->setText(editor);
        if (then)
            then();
    });
}
