#include "platform/EditorPlatform.h"

#include "editor/EditorFallback.h"
#include "editor/KnownEditors.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

QString FindProgram(const QString& program)
{
    const QFileInfo info(program);
    if (info.isAbsolute())
        return info.isFile() && info.isExecutable() ? program : QString();
    // A relative path would be taken from whatever folder the program
    // happens to run in.
    if (program.contains(QLatin1Char('/')))
        return {};
    return QStandardPaths::findExecutable(program);
}

EditorSources EnvironmentSources(const QString& desktopDefault = {})
{
    return {qEnvironmentVariable("VISUAL"), qEnvironmentVariable("EDITOR"), desktopDefault};
}

// The program of the application a desktop entry id ("org.gnome.gedit.desktop")
// names, or empty.
QString ProgramOfDesktopId(const QString& id)
{
    constexpr qint64 kMaxEntryBytes = 256 * 1024;
    if (!id.endsWith(QLatin1String(".desktop")) || id.contains(QLatin1Char('/')))
        return {};
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    QFile entry(path);
    if (path.isEmpty() || !entry.open(QIODevice::ReadOnly))
        return {};
    return ProgramOfDesktopEntry(QString::fromUtf8(entry.read(kMaxEntryBytes)));
}

} // namespace

QString DefaultEditor()
{
    return ChooseFallbackEditor(EnvironmentSources(), DesktopEditorNames(), FindProgram);
}

FallbackEditorFinder::FallbackEditorFinder() = default;

FallbackEditorFinder::~FallbackEditorFinder()
{
    m_waiting.clear();
    if (m_query) {
        // No answer may reach a window that is going away.
        m_query->disconnect();
        m_query->kill();
        m_query->waitForFinished(kQueryTimeoutMilliseconds);
    }
}

void FallbackEditorFinder::find(QObject* context, std::function<void(const QString&)> use)
{
    // The user's own choice needs no question to the desktop.
    const QString chosen = ChooseFallbackEditor(EnvironmentSources(), {}, FindProgram);
    if (!chosen.isEmpty()) {
        use(chosen);
        return;
    }
    m_waiting.emplace_back(context, std::move(use));
    if (m_desktopDefault)
        desktopAnswered(*m_desktopDefault);
    else
        askDesktop();
}

QStringList FallbackEditorFinder::lookedFor() const
{
    return QStringList{QStringLiteral("$VISUAL"), QStringLiteral("$EDITOR"),
                       QStringLiteral("テキストファイルを開く既定のアプリケーション")} +
           DesktopEditorNames();
}

void FallbackEditorFinder::askDesktop()
{
    if (m_query)
        return; // asked already; the answer serves every caller waiting
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        desktopAnswered({});
        return;
    }
    m_query = std::make_unique<QProcess>();
    QProcess* query = m_query.get();
    query->setStandardInputFile(QProcess::nullDevice());
    query->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(query, &QProcess::finished, query, [this, query](int code, QProcess::ExitStatus status) {
        const QString answer = QString::fromUtf8(query->readAllStandardOutput());
        // One desktop entry id, or several separated by ";".
        const QString id = answer.section(QLatin1Char(';'), 0, 0).trimmed();
        desktopAnswered(status == QProcess::NormalExit && code == 0 ? ProgramOfDesktopId(id) : QString());
    });
    QObject::connect(query, &QProcess::errorOccurred, query, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            desktopAnswered({});
    });
    QTimer::singleShot(kQueryTimeoutMilliseconds, query, [query] { query->kill(); });
    query->start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
}

void FallbackEditorFinder::desktopAnswered(const QString& program)
{
    if (!m_desktopDefault)
        m_desktopDefault = program;
    const QString editor =
        ChooseFallbackEditor(EnvironmentSources(*m_desktopDefault), DesktopEditorNames(), FindProgram);
    auto waiting = std::exchange(m_waiting, {});
    for (auto& [context, use] : waiting) {
        if (context)
            use(editor);
    }
}

bool IsEditorDocument(const QString& editorPath)
{
    // A file without the permission to run is something to open (a .txt, a
    // .pdf); anything else is handed to the process start, which reports
    // what it cannot run.
    const QFileInfo info(editorPath);
    return info.isFile() && !info.isExecutable();
}

bool ExchangeFileWantsByteOrderMark()
{
    return false;
}
