#include "editor/EditorRoundTrip.h"

#include "core/FileTrust.h"
#include "core/LegacyNames.h"
#include "core/NameBytes.h"
#include "core/Paths.h"
#include "core/RenameList.h"
#include "editor/ExchangeFile.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {
QByteArray HashOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// A name as the editor gets it: the file's own text, or the list's reading
// of a name that is not UTF-8.
QString ShownEditorName(const NameText& name)
{
    return HasStrayBytes(name) ? ShownName(name.toString()) : name.toString();
}

} // namespace

EditorRoundTrip::EditorRoundTrip(RenameList& list, QString preferredExchangePath, EditorLauncher& launcher,
                                 QObject* parent)
    : QObject(parent)
    , m_list(list)
    , m_preferredExchangePath(std::move(preferredExchangePath))
    , m_launcher(launcher)
    , m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("saveWatch"));
    m_timer->setInterval(kTimerInterval);
    connect(m_timer, &QTimer::timeout, this, &EditorRoundTrip::tick);
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

QString EditorRoundTrip::lineCountText(qsizetype lines, qsizetype rows)
{
    return QStringLiteral("エディタで保存された行数（%1 行）がファイルの数（%2 件）と違うため、"
                          "リネームしませんでした。1 行に 1 件ずつ %2 行にして、保存し直してください。"
                          "エディタを閉じたときは、もう一度「エディタ」を押してください。")
        .arg(QLocale(QLocale::Japanese).toString(lines), QLocale(QLocale::Japanese).toString(rows));
}

bool EditorRoundTrip::start(const QString& editorPath)
{
    if (isRunning() || m_list.isEmpty())
        return false;

    QStringList names;
    names.reserve(m_list.count());
    m_pathsAtStart.clear();
    for (const RenameEntry& entry : m_list.rows()) {
        names.append(ShownEditorName(entry.currentName));
        m_pathsAtStart.append(FullPathOf(entry));
    }
    m_exchange.claim(m_preferredExchangePath);
    try {
        m_writtenHash = HashOf(WriteExchangeFile(m_exchange.path(), names, m_launcher.wantsByteOrderMark()));
    } catch (...) {
        m_exchange.release();
        throw;
    }

    QString editor = editorPath;
    if (!IsExistingFile(editor)) {
        const QString fallback = m_launcher.defaultEditor();
        if (!fallback.isEmpty()) {
            editor = fallback;
            Q_EMIT editorPathChanged(editor);
        }
    }

    setState(State::Launching);
    m_launcher.launch(editor, QFileInfo(m_exchange.path()).absoluteFilePath());
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
        Q_EMIT problem(
            QStringLiteral("エディタを起動できませんでした。%1。「オプション」→「エディタの指定」で"
                           "選び直してください。")
                .arg(reason));
        return;
    }

    m_editorTracked = result == EditorLauncher::Result::Tracked;
    Q_EMIT captionChanged(m_editorTracked ? applicationTitle() : noWindowCaption());
    // Taken only now, so an editor that touches the file while it starts is
    // not mistaken for a save; a change of content is one all the same.
    m_exchangeStamp = ExchangeStamp(m_exchange.path());
    m_settling.clear();
    m_refusedSave.clear();
    m_timer->start();
    setState(State::Waiting);
    Q_EMIT hideRequested();
}

void EditorRoundTrip::tick()
{
    if (m_state != State::Waiting)
        return;

    const bool editorGone = !m_editorTracked || !m_launcher.isEditorOpen();
    if (editorGone) {
        // Back to the user; the file is still looked at, so a save made just
        // before the editor was closed is taken.
        m_timer->stop();
        Q_EMIT showRequested();
        Q_EMIT raiseRequested();
    }

    // A missing or unreadable file (an editor replacing it just now) counts
    // as not saved yet: the next tick looks again while the editor is open.
    const ExchangeText text = ReadExchangeFile(m_exchange.path());
    const bool untrusted = text.status == ExchangeText::Status::Untrusted;
    if (text.status == ExchangeText::Status::Unreadable || (!untrusted && !wasSaved(text))) {
        if (editorGone)
            setState(State::Idle);
        return;
    }
    // A save counts once it has settled: an editor that writes its file in
    // pieces is looked at again at the next tick, and only the same bytes
    // twice are taken. An editor that has gone has finished writing.
    const QByteArray seen = HashOf(text.bytes);
    if (!editorGone && !untrusted && seen != std::exchange(m_settling, seen))
        return;
    if (!editorGone && seen == m_refusedSave)
        return; // the user has not saved again since the lines were refused

    if (!editorGone) {
        m_timer->stop();
        Q_EMIT showRequested();
    }
    if (untrusted || text.status == ExchangeText::Status::NotUtf8) {
        // Renaming to names full of replacement characters would lose them,
        // and a file that is no longer the user's own says nothing the user
        // wrote; the editor stays open so the user can save again.
        const QString path = m_exchange.path();
        const QString name = QFileInfo(path).fileName();
        if (untrusted)
            ReportIgnoredFile(m_exchange.path(), text.trust);
        Q_EMIT raiseRequested();
        setState(State::Idle);
        Q_EMIT problem(
            untrusted ? QStringLiteral("エディタで保存された名前を読み込みませんでした。「%1」は%2。")
                                .arg(name, DistrustText(text.trust)) +
                            DistrustRemedyText(text.trust, path) +
                            QStringLiteral("そのあと、もう一度「エディタ」を押してください。")
                      : QStringLiteral("「%1」が UTF-8 で保存されていないため、名前を読み込みませんでした。"
                                       "エディタで保存するときの文字コードを UTF-8 "
                                       "にしてから、もう一度「エディタ」を押してください。")
                            .arg(name));
        return;
    }

    if (text.lines.size() != m_list.count()) {
        // Lines are matched to rows top down: with one missing, every later
        // file would get its neighbour's name. The editor stays open for the
        // user to mend the lines and save again.
        Q_EMIT problem(lineCountText(text.lines.size(), m_list.count()));
        if (editorGone) {
            setState(State::Idle);
            return;
        }
        m_refusedSave = seen;
        m_timer->start();
        return;
    }
    if (!editorGone)
        m_launcher.closeEditor();
    if (!rowsUnchanged()) {
        // Line k was written for the file of row k; once rows have moved,
        // been removed or renamed, a line would name another file.
        Q_EMIT raiseRequested();
        setState(State::Idle);
        Q_EMIT problem(
            QStringLiteral("エディタで編集している間にリストが変わったため、名前を読み込みませんでした。"
                           "もう一度「エディタ」を押してください。"));
        return;
    }
    takeSavedLines(text.lines);
    // The window may answer within the request or once a long rename ends.
    setState(State::Renaming);
    Q_EMIT renameRequested();
}

void EditorRoundTrip::renameFinished(bool, const QString& failure)
{
    if (m_state != State::Renaming)
        return;
    if (!failure.isEmpty())
        Q_EMIT problem(failure);
    Q_EMIT raiseRequested();
    setState(State::Idle);
}

bool EditorRoundTrip::wasSaved(const ExchangeText& text) const
{
    return ExchangeStamp(m_exchange.path()) != m_exchangeStamp || HashOf(text.bytes) != m_writtenHash;
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
    // Line k becomes the new name of row k. A name that is not UTF-8 was
    // written as the list shows it: left as it was, it stays the file's own
    // bytes rather than becoming the guess.
    RenameList::EditScope scope(m_list);
    for (int row = 0; row < m_list.count(); ++row) {
        RenameEntry& entry = scope.row(row);
        const QString& line = lines.at(row);
        entry.newName = HasStrayBytes(entry.currentName) && line == ShownEditorName(entry.currentName)
                            ? entry.currentName
                            : NameText(line);
    }
}

void EditorRoundTrip::setState(State state)
{
    const bool wasRunning = isRunning();
    m_state = state;
    if (state == State::Idle)
        m_exchange.release();
    if (wasRunning != isRunning())
        Q_EMIT runningChanged(isRunning());
}
