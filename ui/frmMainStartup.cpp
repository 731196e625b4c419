// Start-up and shutdown of the main window.
#include "ui/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

void frmMain::startUp(const QStringList& arguments, int undecodable)
{
    if (m_started)
        return;
    m_started = true;
    applyStoredSettings();
    if (undecodable > 0) {
        IntakeResult leftOut;
        leftOut.undecodable = undecodable;
        reportLeftOut(leftOut);
    }
    // The paths of the command line: each argument is one piece on POSIX.
    if (!arguments.isEmpty()) {
        runInFrame([this, arguments] {
            intakePaths(
                arguments, [this] { return m_services.keyboard->isShiftDown(); },
                [this] {
                    // Files given at start-up may go straight to the editor, once
                    // they are all in the list.
                    if (m_options.editorAtStart)
                        pressButton(ButtonCommand::EditorRename);
                });
        });
    }
    // Batches a crash cut short are asked about once the window is there.
    QTimer::singleShot(0, this, &frmMain::offerRecovery);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // The shutdown never runs under a walk: the window closes once it ends.
    if (isWalking()) {
        m_closeAfterWalk = true;
        event->ignore();
        return;
    }
    saveSettings();
    QMainWindow::closeEvent(event);
}
