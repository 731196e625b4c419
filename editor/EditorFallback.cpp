#include "editor/EditorFallback.h"

#include <QFileInfo>
#include <QProcess>

#include <algorithm>

namespace {

// Editors that need a terminal, by program name. "editor" and
// "sensible-editor" are Debian's choosers of the user's terminal editor.
const QStringList& TerminalEditorNames()
{
    static const QStringList names =
        QStringLiteral(
            "vi vim vim.basic vim.tiny vim.nox nvim view nvi elvis nano rnano pico ed red ex micro "
            "joe jed jmacs jstar jpico ne mcedit kak hx helix mg zile jove vis emacs-nox editor "
            "sensible-editor")
            .split(QLatin1Char(' '));
    return names;
}

// Field codes that stand for the files an application is started on.
bool IsFileFieldCode(const QString& word)
{
    return word == u"%f" || word == u"%F" || word == u"%u" || word == u"%U";
}

} // namespace

bool IsTerminalEditorCommand(const QString& commandLine)
{
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString name = QFileInfo(words.takeFirst()).fileName();
    // Emacs opens a window unless told to stay in the terminal.
    const bool emacsInTerminal =
        name.startsWith(QLatin1String("emacs")) &&
        std::any_of(words.cbegin(), words.cend(), [](const QString& word) {
            return word == u"-nw" || word == u"--no-window-system" || word == u"-t" || word == u"--tty";
        });
    return TerminalEditorNames().contains(name) || emacsInTerminal;
}

QString ProgramOfDesktopEntry(const QString& entryText)
{
    bool inEntry = false;
    QString exec;
    bool terminal = false;
    for (const QStringView line : QStringView(entryText).split(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            inEntry = trimmed == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = trimmed.indexOf(u'=');
        if (!inEntry || equals < 0)
            continue;
        const QStringView key = trimmed.left(equals).trimmed();
        if (key == u"Exec")
            exec = trimmed.mid(equals + 1).trimmed().toString();
        else if (key == u"Terminal")
            terminal = trimmed.mid(equals + 1).trimmed() == u"true";
    }
    QStringList words = QProcess::splitCommand(exec);
    if (!words.isEmpty() && QFileInfo(words.first()).fileName() == u"env") {
        words.removeFirst();
        while (!words.isEmpty() && words.first().contains(QLatin1Char('=')))
            words.removeFirst();
    }
    // Only a program started on the file itself can be handed the exchange
    // file: not one behind a shell (sh -c "... %F") or flatpak.
    const bool takesTheFile = std::any_of(words.cbegin(), words.cend(), IsFileFieldCode);
    if (terminal || !takesTheFile || QFileInfo(words.first()).fileName() == u"flatpak")
        return {};
    return words.first();
}

QString ChooseFallbackEditor(const EditorSources& sources, const QStringList& knownEditors,
                             const ProgramFinder& find)
{
    for (const QString& command : {sources.visual, sources.editor}) {
        const QStringList words = QProcess::splitCommand(command);
        if (words.isEmpty() || IsTerminalEditorCommand(command))
            continue;
        if (const QString path = find(words.first()); !path.isEmpty())
            return path;
    }
    if (!sources.desktopDefault.isEmpty()) {
        if (const QString path = find(sources.desktopDefault); !path.isEmpty())
            return path;
    }
    for (const QString& name : knownEditors) {
        if (const QString path = find(name); !path.isEmpty())
            return path;
    }
    return {};
}

QString NoEditorFoundText(const QStringList& lookedFor)
{
    return QStringLiteral("エディタが見つかりませんでした。探したもの：%1。"
                          "「オプション」→「エディタの指定」で、使うエディタを選んでください。")
        .arg(lookedFor.join(QStringLiteral("、")));
}
