#include "editor/EditorRoundTrip.h"

#include "core/CommandError.h"
#include "core/Paths.h"
#include "core/RenameList.h"
#include "editor/ExchangeFile.h"

#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <utility>

EditorRoundTrip::EditorRoundTrip(RenameList& list, QString exchangeFilePath, EditorLauncher& launcher,
                                 EditorRoundTripHooks hooks, QObject* parent)
    : QObject(parent)
    , m_list(list)
    , m_exchangeFilePath(std::move(exchangeFilePath))
    , m_launcher(launcher)
    , m_hooks(std::move(hooks))
    , m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kTimerInterval);
    connect(m_timer, &QTimer::timeout, this, &EditorRoundTrip::onTick);
    connect(&m_launcher, &EditorLauncher::launched, this, &EditorRoundTrip::onLaunched);
}

QString EditorRoundTrip::applicationTitle()
{
    return QStringLiteral("Quorvane");
}

QString EditorRoundTrip::noWindowCaption()
{
    return QStringLiteral("ハンドルが見つかりませんでした");
}

bool EditorRoundTrip::start(const QString& editorPath)
{
    if (isRunning() || m_list.isEmpty())
        return false;

    QStringList names;
    names.reserve(m_list.count());
    m_pathsAtStart.clear();
    for (const RenameEntry& entry : m_list.rows()) {
        names.append(entry.currentName);
        m_pathsAtStart.append(FullPathOf(entry));
    }
    WriteExchangeFile(m_exchangeFilePath, names, m_launcher.wantsByteOrderMark());

    QString editor = editorPath;
    if (!IsExistingFile(editor)) {
        const QString fallback = m_launcher.defaultEditor();
        if (!fallback.isEmpty()) {
            editor = fallback;
            call(m_hooks.setEditorPath, editor);
        }
    }

    setState(State::Launching);
    m_launcher.launch(editor, QFileInfo(m_exchangeFilePath).absoluteFilePath());
    return true;
}

void EditorRoundTrip::onLaunched(EditorLauncher::Result result, const QString& reason)
{
    if (m_state != State::Launching)
        return;
    if (result == EditorLauncher::Result::NotStarted) {
        // Nothing runs that the user could edit in, so the window stays and
        // says why instead of hiding for a second. The caption is kept: it
        // tells of a started editor whose window cannot be followed.
        setState(State::Idle);
        Q_EMIT problem(QStringLiteral("エディタを起動できませんでした（%1）").arg(reason));
        return;
    }

    m_editorTracked = result == EditorLauncher::Result::Tracked;
    call(m_hooks.setCaption, m_editorTracked ? applicationTitle() : noWindowCaption());
    // Taken only now, so a save made while the editor was starting is not
    // mistaken for the user's edit.
    m_exchangeStamp = ExchangeStamp(m_exchangeFilePath);
    m_timer->start();
    setState(State::Waiting);
    call(m_hooks.hideWindow);
}

void EditorRoundTrip::onTick()
{
    if (m_state != State::Waiting)
        return;

    const bool editorGone = !m_editorTracked || !m_launcher.isEditorOpen();
    if (editorGone) {
        // Back to the user; the file is still looked at, so a save made just
        // before the editor was closed is taken.
        m_timer->stop();
        call(m_hooks.showWindow);
        call(m_hooks.bringToFront);
    }

    // A missing or unreadable file (an editor replacing it just now) counts
    // as not saved yet: the next tick looks again while the editor is open.
    const std::optional<qint64> stamp = ExchangeStamp(m_exchangeFilePath);
    const bool saved = stamp.has_value() && stamp != m_exchangeStamp;
    const ExchangeText text = saved ? ReadExchangeFile(m_exchangeFilePath) : ExchangeText{};
    if (text.status == ExchangeText::Status::Unreadable) {
        if (editorGone)
            setState(State::Idle);
        return;
    }

    if (!editorGone) {
        m_timer->stop();
        call(m_hooks.showWindow);
    }
    if (text.status == ExchangeText::Status::NotUtf8) {
        // Renaming to names full of replacement characters would lose them;
        // the editor stays open so the user can save again as UTF-8.
        call(m_hooks.bringToFront);
        setState(State::Idle);
        Q_EMIT problem(QStringLiteral("%1 が UTF-8 で保存されていないため、名前を読み込みませんでした")
                           .arg(QFileInfo(m_exchangeFilePath).fileName()));
        return;
    }

    if (!editorGone)
        m_launcher.closeEditor();
    if (!rowsUnchanged()) {
        // Line k was written for the file of row k; once rows have moved,
        // been removed or renamed, a line would name another file.
        call(m_hooks.bringToFront);
        setState(State::Idle);
        Q_EMIT problem(QStringLiteral("エディタの起動中にリストが変わったため、名前を読み込みませんでした"));
        return;
    }
    takeSavedLines(text.lines);
    renameAll();
    call(m_hooks.bringToFront);
    setState(State::Idle);
}

bool EditorRoundTrip::rowsUnchanged() const
{
    if (m_list.count() != m_pathsAtStart.size())
        return false;
    for (int row = 0; row < m_list.count(); ++row) {
        if (FullPathOf(m_list.at(row)) != m_pathsAtStart.at(row))
            return false;
    }
    return true;
}

void EditorRoundTrip::takeSavedLines(const QStringList& lines)
{
    // Line k becomes the new name of row k; rows beyond the last line keep
    // theirs, lines beyond the last row are ignored.
    RenameList::EditScope scope(m_list);
    const int count = std::min(m_list.count(), static_cast<int>(lines.size()));
    for (int row = 0; row < count; ++row)
        scope.row(row).newName = lines.at(row);
}

void EditorRoundTrip::renameAll()
{
    // Runs inside a timer tick, outside the button commands' common frame:
    // nothing may be thrown back into the event loop.
    try {
        call(m_hooks.renameAll);
    } catch (const CommandError& error) {
        Q_EMIT problem(error.reason());
    } catch (const std::exception& error) {
        Q_EMIT problem(QString::fromLocal8Bit(error.what()));
    }
}

void EditorRoundTrip::setState(State state)
{
    const bool wasRunning = isRunning();
    m_state = state;
    if (wasRunning != isRunning())
        Q_EMIT runningChanged(isRunning());
}

void EditorRoundTrip::call(const std::function<void()>& hook) const
{
    if (hook)
        hook();
}

void EditorRoundTrip::call(const std::function<void(const QString&)>& hook, const QString& text) const
{
    if (hook)
        hook(text);
}
