#pragma once

#include "editor/EditorLauncher.h"
#include "platform/EditorPlatform.h"

#include <QPointer>

class DesktopShell;
class QProcess;

// Starts the editor as a child process. Its window counts as open for as
// long as the process runs (single-instance editors get their waiting
// switch so that this holds); closing it is a polite termination request
// (WM_CLOSE on Windows, SIGTERM elsewhere). Documents given as the editor
// go to the desktop shell and cannot be watched. Only an existing executable
// file is started (a bare name is looked for on PATH); any other path is
// reported as not started.
class QProcessEditorLauncher final : public EditorLauncher {
    Q_OBJECT
public:
    // How long a started editor must keep running to count as tracked: an
    // editor that hands its file to a running instance, or fails on its
    // arguments, has ended by then.
    static constexpr int kSettleMilliseconds = 300;

    explicit QProcessEditorLauncher(DesktopShell& shell, QString defaultEditor = DefaultEditor(),
                                    QObject* parent = nullptr);
    ~QProcessEditorLauncher() override;
    Q_DISABLE_COPY_MOVE(QProcessEditorLauncher)

    [[nodiscard]] QString defaultEditor() const override { return m_defaultEditor; }
    [[nodiscard]] bool wantsByteOrderMark() const override { return ExchangeFileWantsByteOrderMark(); }
    void launch(const QString& editor, const QString& filePath) override;
    [[nodiscard]] bool isEditorOpen() const override;
    void closeEditor() override;

private:
    void releaseEditor();
    void answerLater(quint64 launch, Result result, const QString& reason = {});

    DesktopShell& m_shell;
    QString m_defaultEditor;
    QPointer<QProcess> m_editor;
    quint64 m_launches = 0;   // numbers the launches
    quint64 m_unanswered = 0; // the launch still owed an answer, 0 when none
};
