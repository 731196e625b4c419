#pragma once

#include <QObject>
#include <QString>

// Starts the user's editor on the exchange file and keeps track of it. The
// real one (platform/) starts a process; tests drive fakes.
class EditorLauncher : public QObject {
    Q_OBJECT
public:
    enum class Result {
        Tracked,    // the editor runs and its window can be watched
        Untracked,  // something opened, but no window can be watched (ended at once, document)
        NotStarted, // nothing could be started
    };
    Q_ENUM(Result)

    explicit EditorLauncher(QObject* parent = nullptr)
        : QObject(parent)
    {}

    // The editor taken when the editor path names no existing file; empty
    // when the platform has none.
    [[nodiscard]] virtual QString defaultEditor() const = 0;
    // Whether this platform's editors need a byte-order mark to read UTF-8.
    [[nodiscard]] virtual bool wantsByteOrderMark() const = 0;

    // Starts `editor` on `filePath`; a document given as the editor is opened
    // with its own program instead and the file is not passed. Answers once,
    // later, through launched(); never from inside this call.
    virtual void launch(const QString& editor, const QString& filePath) = 0;
    // True while the editor of the last launch still has its window.
    [[nodiscard]] virtual bool isEditorOpen() const = 0;
    // Asks that editor to close, as its window's close button would; does not wait.
    virtual void closeEditor() = 0;

Q_SIGNALS:
    // `reason` tells why nothing started, in the user's language; else empty.
    void launched(EditorLauncher::Result result, const QString& reason);
};
