// Settings applied at start-up and collected at shutdown, the window
// placement in twips, and the options bound to their check marks.
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

// Each option shown by a menu check mark, with the entry's object name.
struct OptionMark {
    const char* actionName;
    bool Options::*option;
};
constexpr OptionMark kOptionMarks[] = {
    {"mnuOptItem_1", &Options::editorAtStart},
    {"mnuOptItem_2", &Options::foldersAsRows},
    {"mnuViewItem_0", &Options::topMost},
    {"mnuViewItem_1", &Options::iconsShown},
};

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

void frmMain::bindOptions()
{
    for (const OptionMark& mark : kOptionMarks) {
        const QString name = QString::fromLatin1(mark.actionName);
        connect(action(name), &QAction::toggled, this, [this, option = mark.option](bool on) {
            m_options.*option = on;
            // The window's look follows at once, also when settings set it.
            if (option == &Options::topMost)
                setTopmost(on);
            else if (option == &Options::iconsShown)
                m_model->setIconsShown(on);
        });
        // The check mark is all the entry does: its toggle is the command.
        m_menuCommands.insert(name, [] {});
    }
    connect(m_caseBox, &QCheckBox::toggled, this, [this](bool on) { m_options.ignoreCaseInSearch = on; });
}

void frmMain::showOptions(const Options& options)
{
    for (const OptionMark& mark : kOptionMarks)
        action(QString::fromLatin1(mark.actionName))->setChecked(options.*mark.option);
    m_caseBox->setChecked(options.ignoreCaseInSearch);
}

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
        PlaceOnScreen(QRect(px(stored.left), px(stored.top), px(outer.width()), px(outer.height())),
                      AvailableScreenAreas(), QSize(px(MinimumOuterWidthTwips), px(MinimumOuterHeightTwips)));
    m_restoredOuter = placed.size();
    move(placed.topLeft());
    resize(m_restoredOuter);
    if (stored.windowState == WindowState::Maximised)
        setWindowState(Qt::WindowMaximized);
    else if (stored.windowState == WindowState::Minimised)
        setWindowState(Qt::WindowMinimized);

    for (int column = 0; column < stored.columnWidths.size() && column < 4; ++column)
        m_view->setColumnWidth(column, stored.columnWidths.at(column));

    // A saved editor that is gone stays in the box until a fallback is found;
    // with none installed it stays for good, so the box is never empty.
    if (!stored.editorPath.isEmpty())
        m_editorPath->setText(stored.editorPath);
    if (!IsExistingFile(stored.editorPath))
        useFallbackEditor(false);
    showOptions(stored.options);
    button(ButtonCommand::DetectExtension)
        ->setVisible(m_services.detector && m_services.detector->isAvailable());
    for (const QString& entry : stored.insertionHistory)
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
    stored.windowState = isMinimized()   ? WindowState::Minimised
                         : isMaximized() ? WindowState::Maximised
                                         : WindowState::Normal;
    if (stored.windowState == WindowState::Normal) {
        const QRect frame = PlaceOnScreen(frameGeometry(), AvailableScreenAreas(), QSize());
        stored.left = PixelsToTwips(frame.x(), dpi());
        stored.top = PixelsToTwips(frame.y(), dpi());
        stored.height = PixelsToTwips(frame.height(), dpi());
        stored.width = PixelsToTwips(frame.width(), dpi());
    }
    stored.columnWidths = designColumnWidths(m_view);
    stored.editorPath = m_editorPath->text();
    stored.options = m_options;
    for (int i = 0; i < m_combo->count(); ++i)
        stored.insertionHistory.append(m_combo->itemText(i));
    QString error;
    if (!SaveStoredSettings(m_settingsPath, stored, &error))
        qCWarning(lcQuorvane, "settings not saved: %s", qPrintable(error));
}
