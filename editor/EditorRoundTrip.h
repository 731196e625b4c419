#pragma once

#include "editor/EditorLauncher.h"
#include "editor/ExchangeFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QTimer;
class RenameList;

// Renaming every row through an external text editor: the current names go
// to the exchange file, the editor is started on it and the window hides;
// the save watch timer then looks at the file once a second. When the file was
// saved, the editor is asked to close, the lines become the new names and
// every row is renamed; when the editor goes away unsaved, the window simply
// comes back. Nothing here waits: the launch answers through a signal and
// the rest happens in timer ticks. Nothing here touches the window either:
// it is asked through signals, and it answers a rename request by calling
// renameFinished(). Each round trip holds an exchange file of its own
// (ExchangeFileClaim) and removes it when it ends.
class EditorRoundTrip : public QObject {
    Q_OBJECT
public:
    enum class State {
        Idle,
        Launching, // file written, editor starting; the window is still shown
        Waiting,   // editor running, window hidden, the save watch on
        Renaming,  // the saved names are taken; the window renames the rows
    };
    Q_ENUM(State)

    static constexpr int kTimerInterval = 1000; // milliseconds

    // preferredExchangePath is the exchange file taken when no other window
    // holds it; otherwise a free name beside it is.
    EditorRoundTrip(RenameList& list, QString preferredExchangePath, EditorLauncher& launcher,
                    QObject* parent = nullptr);

    [[nodiscard]] State state() const { return m_state; }
    [[nodiscard]] bool isRunning() const { return m_state != State::Idle; }
    // The exchange file of the running round trip; empty while idle.
    [[nodiscard]] const QString& exchangeFilePath() const { return m_exchange.path(); }

    // The editor command. Returns false and does nothing when the list is
    // empty or a round trip is already running. Throws CommandError when the
    // exchange file cannot be written; nothing is started then. An editor
    // path that names no existing file is first replaced by the launcher's
    // default editor (told by editorPathChanged).
    bool start(const QString& editorPath);

    // Said in status panel 1 when the saved file has another number of lines
    // than there are rows; nothing is renamed, and the editor stays open.
    [[nodiscard]] static QString lineCountText(qsizetype lines, qsizetype rows);

    // Captions shown after the launch.
    [[nodiscard]] static QString applicationTitle();
    [[nodiscard]] static QString noWindowCaption();

public Q_SLOTS:
    // One look at the exchange file while the editor runs; the save watch calls it.
    void tick();
    // The window's answer to renameRequested(), given at once or when a long
    // rename has ended; `failure` is said in panel 1. Only the first answer
    // counts; whether anything was renamed changes nothing here any more.
    void renameFinished(bool renamed, const QString& failure = {});

Q_SIGNALS:
    void runningChanged(bool running);
    // A failure the user should read (status panel 1): the editor could not
    // be started, the saved file is not UTF-8 or not the user's own, the
    // rename failed, or the line count differed from the row count.
    void problem(const QString& reason);
    // What the window is asked to do.
    void hideRequested();
    void showRequested();
    void raiseRequested(); // to the front, with the focus
    void captionChanged(const QString& caption);
    void editorPathChanged(const QString& path); // the editor path box txtName
    // Rename every row to its new name, as the rename button does, then
    // answer with renameFinished().
    void renameRequested();

private:
    void onLaunched(EditorLauncher::Result result, const QString& reason);
    [[nodiscard]] bool wasSaved(const ExchangeText& text) const;
    void takeSavedLines(const QStringList& lines);
    [[nodiscard]] bool rowsUnchanged() const;
    void setState(State state);

    RenameList& m_list;
    QString m_preferredExchangePath;
    ExchangeFileClaim m_exchange;
    QByteArray m_writtenHash; // of the bytes written: any other content is a save
    EditorLauncher& m_launcher;
    QStringList m_pathsAtStart; // the file each line was written for
    QTimer* m_timer = nullptr;
    State m_state = State::Idle;
    bool m_editorTracked = false;
    std::optional<qint64> m_exchangeStamp; // the file's time once the editor runs
    QByteArray m_settling;                 // hash of the bytes at the last look, to tell a settled save
    QByteArray m_refusedSave;              // hash of a save whose line count was refused
};
