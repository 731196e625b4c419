#pragma once
// Where an editor comes from when the editor path names no existing file:
// the user's own choice in $VISUAL or $EDITOR when it opens a window of its
// own, then the desktop's default application for plain text, then the
// first known desktop editor that is installed.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// The full path of a program that can be run (a bare name is looked up on
// PATH), or empty when there is none.
using ProgramFinder = std::function<QString(const QString& program)>;

// Whether a command line such as $EDITOR's starts an editor that draws in a
// terminal (vi, nano, emacs -nw ...): started by a desktop program, it has
// no terminal to draw in.
[[nodiscard]] bool IsTerminalEditorCommand(const QString& commandLine);

// The program an application's desktop entry starts: the first word of the
// Exec key of its [Desktop Entry] group, unquoted, after any env NAME=value
// words. Empty when the entry asks for a terminal, or does not start its
// program on the file itself (no %f, %F, %u or %U word: a shell command;
// or through flatpak), or has no Exec key.
[[nodiscard]] QString ProgramOfDesktopEntry(const QString& entryText);

struct EditorSources {
    QString visual;         // $VISUAL, a command line
    QString editor;         // $EDITOR, a command line
    QString desktopDefault; // the program of the desktop's text/plain application
};

// The first source in order that names an installed program, then the first
// installed known editor; empty when there is none. Only the program of a
// command line is taken: the editor path names a program, and known editors
// get their own switches when started.
[[nodiscard]] QString ChooseFallbackEditor(const EditorSources& sources, const QStringList& knownEditors,
                                           const ProgramFinder& find);

// What panel 1 says when no editor was found, naming what was looked for.
[[nodiscard]] QString NoEditorFoundText(const QStringList& lookedFor);

// Finds the editor taken when the editor path names no existing file; the
// system's implementation may have to ask the desktop, so the answer can
// come later.
class EditorFinder {
public:
    virtual ~EditorFinder() = default;
    // Calls `use` with the editor's full path, or empty when none is
    // installed, at once or later from the event loop; nothing is called once
    // `context` is gone.
    virtual void find(QObject* context, std::function<void(const QString& editor)> use) = 0;
    // What is looked for, in order, for the message when nothing was found.
    [[nodiscard]] virtual QStringList lookedFor() const = 0;
};
