#pragma once
// What the editor launch needs to know about the operating system.

#include "editor/EditorFallback.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QProcess;

// "notepad.exe" on Windows; elsewhere the program $VISUAL or $EDITOR names
// when it opens a window of its own, else the full path of the first known
// desktop text editor found on PATH, or empty when there is none. Asks no
// other program, so it answers at once.
[[nodiscard]] QString DefaultEditor();

// The editor taken when the editor path names no existing file. On POSIX:
// $VISUAL or $EDITOR when it opens a window of its own, then the desktop's
// default application for text/plain (asked of xdg-mime once, in the
// background), then the first known desktop editor on PATH. On Windows
// "notepad.exe".
class FallbackEditorFinder final : public EditorFinder {
public:
    FallbackEditorFinder();
    ~FallbackEditorFinder();
    Q_DISABLE_COPY_MOVE(FallbackEditorFinder)

    // Calls `use` with the editor's full path, or empty when none is
    // installed: at once when the answer needs no question to the desktop,
    // else from the event loop once the desktop has answered. Nothing is
    // called once `context` is gone.
    void find(QObject* context, std::function<void(const QString& editor)> use) override;

    // What is looked for, in order, for the message when nothing was found.
    [[nodiscard]] QStringList lookedFor() const override;

    // A desktop that has not answered by then has no answer.
    static constexpr int kQueryTimeoutMilliseconds = 3000;

private:
    void askDesktop();
    void desktopAnswered(const QString& program);

    std::optional<QString> m_desktopDefault; // the program, once the desktop has answered
    std::unique_ptr<QProcess> m_query;
    std::vector<std::pair<QPointer<QObject>, std::function<void(const QString&)>>> m_waiting;
};

// Whether an editor path names a document to be opened with the program the
// system associates with it, rather than a program to start on the file.
[[nodiscard]] bool IsEditorDocument(const QString& editorPath);

// Notepad reads UTF-8 faithfully only when the file starts with a byte-order
// mark; editors elsewhere take UTF-8 as it is.
[[nodiscard]] bool ExchangeFileWantsByteOrderMark();
