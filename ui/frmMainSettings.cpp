// Settings applied at start-up and collected at shutdown, and the window
// placement in twips.
#include "core/Log.h"
#include "core/Paths.h"
#include "core/StoredSettings.h"
#include "ui/MainLayout.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {
QList<int> designColumnWidths(const RenameListView* view)
{
    QList<int> widths;
    for (int column = 0; column < 4; ++column)
        widths.append(view->columnWidth(column));
    return widths;
}

// The primary screen's area first: a window that is on no screen goes there.
QList<QRect> AvailableScreenAreas()
{
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    }
    return areas;
}
} // namespace

void frmMain::applyStoredSettings()
{
    QString ignoredReason;
    const StoredSettings stored =
        m_settingsPath.isEmpty()
            ? StoredSettings{}
            : LoadStoredSettings(m_settingsPath, designColumnWidths(m_view), &ignoredReason);
    // A file that was not read is not saved over at shutdown either.
    m_settingsIgnored = !ignoredReason.isEmpty();
    if (m_settingsIgnored)
        setStatusText(ignoredReason);

    // The placement: the outer rectangle in twips, never below the minimum
    // and never beyond the screens; the frame's share is taken off once the
    // window manager has framed it.
    const QSize outer = EnforceMinimumOuterSize({stored.width, stored.height});
    const QRect placed =
        PlaceOnScreen(QRect(px(stored.x), px(stored.y), px(outer.width()), px(outer.height())),
                      AvailableScreenAreas(), QSize(px(MinimumOuterWidthTwips), px(MinimumOuterHeightTwips)));
    m_restoredOuter = placed.size();
    move(placed.topLeft());
    resize(m_restoredOuter);
    if (stored.winState == 2)
        setWindowState(Qt::WindowMaximized);
    else if (stored.winState == 1)
        setWindowState(Qt::WindowMinimized);

    for (int column = 0; column < stored.columnWidths.size() && column < 4; ++column)
        m_view->setColumnWidth(column, stored.columnWidths.at(column));

    // A saved editor that is gone stays in the box until a fallback is found;
    // with none installed it stays for good, so the box is never empty.
    if (!stored.editer.isEmpty())
        m_editorPath->setText(stored.editer);
    if (!IsExistingFile(stored.editer))
        useFallbackEditor(false);
    action(QStringLiteral("mnuOptItem_1"))->setChecked(stored.editerBoot);
    action(QStringLiteral("mnuOptItem_2"))->setChecked(stored.folder);
    m_caseBox->setChecked(stored.ignoreCase != 0);
    action(QStringLiteral("mnuViewItem_0"))->setChecked(stored.top);
    if (stored.top)
        toggleTopmost();
    button(2)->setVisible(m_services.detector && m_services.detector->isAvailable());
    if (stored.iconShown()) {
        action(QStringLiteral("mnuViewItem_1"))->setChecked(true);
        toggleIcons();
    }
    for (const QString& entry : stored.history)
        m_combo->addItem(entry);
    m_combo->setCurrentIndex(-1);
}

void frmMain::saveSettings()
{
    m_model->setIconsShown(false);
    if (m_settingsPath.isEmpty() || m_settingsIgnored)
        return;
    // The save keeps the file's other lines, and for a maximised window the
    // last normal rectangle.
    StoredSettings stored;
    stored.winState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    if (stored.winState == 0) {
        const QRect frame = PlaceOnScreen(frameGeometry(), AvailableScreenAreas(), QSize());
        stored.x = PixelsToTwips(frame.x(), dpi());
        stored.y = PixelsToTwips(frame.y(), dpi());
        stored.height = PixelsToTwips(frame.height(), dpi());
        stored.width = PixelsToTwips(frame.width(), dpi());
    }
    stored.columnWidths = designColumnWidths(m_view);
    stored.editer = m_editorPath->text();
    stored.editerBoot = isChecked(QStringLiteral("mnuOptItem_1"));
    stored.folder = isChecked(QStringLiteral("mnuOptItem_2"));
    stored.top = isChecked(QStringLiteral("mnuViewItem_0"));
    stored.icon = isChecked(QStringLiteral("mnuViewItem_1")) ? -1 : 0;
    stored.ignoreCase = m_caseBox->isChecked() ? 1 : 0;
    stored.history.clear();
    for (int i = 0; i < m_combo->count(); ++i)
        stored.history.append(m_combo->itemText(i));
    QString error;
    if (!SaveStoredSettings(m_settingsPath, stored, &error))
        qCWarning(lcQuorvane, "settings not saved: %s", qPrintable(error));
}
