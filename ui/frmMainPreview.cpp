// The forecast of the rename: after every command that can change rows, the
// rows the rename would fail on are marked and panel 1 counts them.
#include "core/RenamePreview.h"
#include "platform/SystemFolderRules.h"
#include "ui/RenameListModel.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QMenu>

void frmMain::connectPreview()
{
    static SystemFolderRules systemRules;
    if (!m_services.folderRules)
        m_services.folderRules = &systemRules;
    connect(this, &frmMain::listCommandFinished, this, &frmMain::refreshPreview);
    // The popup tells before "選択ファイルのみリネーム" when that rename would fail.
    QMenu* popup = menu(QStringLiteral("mnuPop"));
    popup->setToolTipsVisible(true);
    QAction* item = action(QStringLiteral("mnuPopItem_8"));
    connect(popup, &QMenu::aboutToShow, this, [this, item, hint = item->statusTip()] {
        const RowPreview selected = PreviewRenameSelected(m_list, *m_services.folderRules);
        const QString reason = selected.fails()
                                   ? QStringLiteral("リネームできません：") + PreviewProblemText(selected)
                                   : QString();
        item->setStatusTip(reason.isEmpty() ? hint : QStringLiteral("%1（%2）").arg(hint, reason));
        item->setToolTip(reason);
    });
}

void frmMain::refreshPreview()
{
    m_model->setPreview(PreviewRenameAll(m_list, *m_services.folderRules));
    showFailingCount(m_model->failingCount());
}

// A message the command left itself (the rename's completion, an error, names
// left out) stays and the count follows it; without one the count stands
// alone. A count of an earlier command goes when no row would fail now, any
// other text (a hint) stays then.
void frmMain::showFailingCount(int failing)
{
    const QString count = PreviewCountText(failing);
    const QString shown = statusText();
    QString text;
    if (!count.isEmpty()) {
        text = m_commandWroteStatus && !shown.isEmpty() ? shown + QStringLiteral("　") + count : count;
    } else if (m_failingNote.isEmpty() || shown != m_failingNote) {
        m_failingNote.clear();
        return;
    }
    setStatusText(text);
    m_failingNote = text;
}
