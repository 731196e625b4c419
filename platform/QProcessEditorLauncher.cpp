#include "platform/QProcessEditorLauncher.h"

#include "core/Services.h"
#include "core/SystemErrorText.h"
#include "editor/KnownEditors.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <utility>

namespace {
// The program file the editor path names: a bare name is looked for on PATH,
// as a shell would; anything else must be an existing executable file.
// Empty when there is none, so that nothing else is ever started.
QString ExecutableFileOf(const QString& editor)
{
    const QString native = QDir::fromNativeSeparators(editor);
    if (!native.isEmpty() && !native.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(native);
    const QFileInfo info(native);
    return info.isFile() && info.isExecutable() ? editor : QString();
}
} // namespace

QProcessEditorLauncher::QProcessEditorLauncher(DesktopShell& shell, QString defaultEditor, QObject* parent)
    : EditorLauncher(parent)
    , m_shell(shell)
    , m_defaultEditor(std::move(defaultEditor))
{}

// Editors still running are children and end with the program.
QProcessEditorLauncher::~QProcessEditorLauncher() = default;

void QProcessEditorLauncher::launch(const QString& editor, const QString& filePath)
{
    releaseEditor();
    const quint64 launch = ++m_launches;
    m_unanswered = launch;

    if (IsEditorDocument(editor)) {
        const bool opened = m_shell.open(editor);
        answerLater(launch, opened ? Result::Untracked : Result::NotStarted,
                    opened ? QString()
                           : QStringLiteral("「%1」を開くプログラムが見つかりません").arg(editor));
        return;
    }

    const QString program = ExecutableFileOf(editor);
    if (program.isEmpty()) {
        answerLater(launch, Result::NotStarted,
                    QStringLiteral("「%1」は実行できるファイルではありません").arg(editor));
        return;
    }

    auto* process = new QProcess(this);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(process, &QProcess::started, this, [this, launch, process] {
        QTimer::singleShot(kSettleMilliseconds, process, [this, launch, process] {
            const bool running = process->state() == QProcess::Running;
            answerLater(launch, running ? Result::Tracked : Result::Untracked);
        });
    });
    connect(process, &QProcess::errorOccurred, this, [this, launch, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            answerLater(launch, Result::NotStarted, ProcessErrorText(*process));
    });
    m_editor = process;
    process->start(program, EditorStartArguments(program, filePath));
}

bool QProcessEditorLauncher::isEditorOpen() const
{
    return m_editor && m_editor->state() != QProcess::NotRunning;
}

void QProcessEditorLauncher::closeEditor()
{
    if (isEditorOpen())
        m_editor->terminate();
}

void QProcessEditorLauncher::releaseEditor()
{
    // An editor of an earlier round trip may still be open (asking whether
    // to save, say); it is left running and forgotten once it ends.
    QProcess* previous = m_editor;
    m_editor = nullptr;
    if (!previous)
        return;
    if (previous->state() == QProcess::NotRunning) {
        previous->deleteLater();
        return;
    }
    connect(previous, &QProcess::stateChanged, previous, [previous](QProcess::ProcessState state) {
        if (state == QProcess::NotRunning)
            previous->deleteLater();
    });
}

void QProcessEditorLauncher::answerLater(quint64 launch, Result result, const QString& reason)
{
    QTimer::singleShot(0, this, [this, launch, result, reason] {
        if (launch != m_unanswered)
            return;
        m_unanswered = 0;
        Q_EMIT launched(result, reason);
    });
}
