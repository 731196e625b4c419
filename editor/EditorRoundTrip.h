#pragma once

#include "editor/EditorLauncher.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QTimer;
class RenameList;

// What the round trip asks of the main window. A hook left empty is skipped.
struct EditorRoundTripHooks {
    std::function<void()> hideWindow;
    std::function<void()> showWindow;
    std::function<void()> bringToFront;
    std::function<void(const QString&)> setCaption;
    std::function<void(const QString&)> setEditorPath; // the editor path box txtName
    std::function<void()> renameAll;                   // may throw CommandError
};

// Renaming every row through an external text editor: the current names go
// to the exchange file, the editor is started on it and the window hides;
// the timer Timer1 then looks at the file once a second. When the file was
// saved, the editor is asked to close, the lines become the new names and
// every row is renamed; when the editor goes away unsaved, the window simply
// comes back. Nothing here waits: the launch answers through a signal and
// the rest happens in timer ticks.
class EditorRoundTrip : public QObject {
    Q_OBJECT
public:
    enum class State {
        Idle,
        Launching, // file written, editor starting; the window is still shown
        Waiting,   // editor running, window hidden, Timer1 on
    };
    Q_ENUM(State)

    static constexpr int kTimerInterval = 1000; // milliseconds

    EditorRoundTrip(RenameList& list, QString exchangeFilePath, EditorLauncher& launcher,
                    EditorRoundTripHooks hooks, QObject* parent = nullptr);

    [[nodiscard]] State state() const { return m_state; }
    [[nodiscard]] bool isRunning() const { return m_state != State::Idle; }
    [[nodiscard]] const QString& exchangeFilePath() const { return m_exchangeFilePath; }

    // The editor command. Returns false and does nothing when the list is
    // empty or a round trip is already running. Throws CommandError when the
    // exchange file cannot be written; nothing is started then. An editor
    // path that names no existing file is first replaced by the launcher's
    // default editor (and the box is told).
    bool start(const QString& editorPath);

    // Captions shown after the launch.
    [[nodiscard]] static QString applicationTitle();
    [[nodiscard]] static QString noWindowCaption();

Q_SIGNALS:
    void runningChanged(bool running);
    // A failure the user should read (status panel 1): the editor could not
    // be started, the saved file is not UTF-8, or the rename failed.
    void problem(const QString& reason);

private:
    void onLaunched(EditorLauncher::Result result, const QString& reason);
    void onTick();
    void takeSavedLines(const QStringList& lines);
    [[nodiscard]] bool rowsUnchanged() const;
    void renameAll();
    void setState(State state);
    void call(const std::function<void()>& hook) const;
    void call(const std::function<void(const QString&)>& hook, const QString& text) const;

    RenameList& m_list;
    QString m_exchangeFilePath;
    EditorLauncher& m_launcher;
    EditorRoundTripHooks m_hooks;
    QStringList m_pathsAtStart; // the file each line was written for
    QTimer* m_timer = nullptr;
    State m_state = State::Idle;
    bool m_editorTracked = false;
    std::optional<qint64> m_exchangeStamp;
};
