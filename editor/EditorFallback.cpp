#include "editor/EditorFallback.h"

#include <QFileInfo>
#include <QProcess>

#include <algorithm>

namespace {

// Editors that need a terminal, by program name. "editor" and
// "sensible-editor" are Debian's choosers of the user's terminal editor.
const QStringList& TerminalEditorNames()
{
    static const QStringList names = {
        QStringLiteral("vi"),        QStringLiteral("vim"),     QStringLiteral("vim.basic"),
        QStringLiteral("vim.tiny"),  QStringLiteral("vim.nox"), QStringLiteral("nvim"),
        QStringLiteral("view"),      QStringLiteral("nvi"),     QStringLiteral("elvis"),
        QStringLiteral("nano"),      QStringLiteral("rnano"),   QStringLiteral("pico"),
        QStringLiteral("ed"),        QStringLiteral("red"),     QStringLiteral("ex"),
        QStringLiteral("micro"),     QStringLiteral("joe"),     QStringLiteral("jed"),
        QStringLiteral("jmacs"),     QStringLiteral("jstar"),   QStringLiteral("jpico"),
        QStringLiteral("ne"),        QStringLiteral("mcedit"),  QStringLiteral("kak"),
        QStringLiteral("hx"),        QStringLiteral("helix"),   QStringLiteral("mg"),
        QStringLiteral("zile"),      QStringLiteral("jove"),    QStringLiteral("vis"),
        QStringLiteral("emacs-nox"), QStringLiteral("editor"),  QStringLiteral("sensible-editor"),
    };
    return names;
}

// Emacs opens a window unless told to stay in the terminal.
bool IsEmacsInTerminal(const QString& name, const QStringList& arguments)
{
    if (!name.startsWith(QLatin1String("emacs")))
        return false;
    static const QStringList terminalSwitches = {QStringLiteral("-nw"), QStringLiteral("--no-window-system"),
                                                 QStringLiteral("-t"), QStringLiteral("--tty")};
    return std::any_of(arguments.cbegin(), arguments.cend(),
                       [](const QString& argument) { return terminalSwitches.contains(argument); });
}

// The value of a desktop entry key with its escapes \s \n \t \r \\ undone.
QString UnescapedValue(QStringView value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case u's':
            out += QLatin1Char(' ');
            break;
        case u'n':
            out += QLatin1Char('\n');
            break;
        case u't':
            out += QLatin1Char('\t');
            break;
        case u'r':
            out += QLatin1Char('\r');
            break;
        default:
            out += next;
        }
    }
    return out;
}

// The words of an Exec value: blank-separated, a word in double quotes may
// hold blanks, and inside quotes a backslash makes the next character plain.
QStringList ExecWords(const QString& exec)
{
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar ch = exec[i];
        if (quoted) {
            if (ch == u'\\' && i + 1 < exec.size())
                word += exec[++i];
            else if (ch == u'"')
                quoted = false;
            else
                word += ch;
        } else if (ch == u'"') {
            quoted = inWord = true;
        } else if (ch == u' ' || ch == u'\t') {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word += ch;
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

} // namespace

bool IsTerminalEditorCommand(const QString& commandLine)
{
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString name = QFileInfo(words.takeFirst()).fileName();
    return TerminalEditorNames().contains(name) || IsEmacsInTerminal(name, words);
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
        const QStringView value = trimmed.mid(equals + 1).trimmed();
        if (key == u"Exec")
            exec = UnescapedValue(value);
        else if (key == u"Terminal")
            terminal = value == u"true";
    }
    if (terminal)
        return {};
    QStringList words = ExecWords(exec);
    if (!words.isEmpty() && QFileInfo(words.first()).fileName() == u"env") {
        words.removeFirst();
        while (!words.isEmpty() && words.first().contains(QLatin1Char('=')))
            words.removeFirst();
    }
    if (words.isEmpty() || QFileInfo(words.first()).fileName() == u"flatpak")
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
    return QStringLiteral("エディタが見つかりません（探したもの：%1）")
        .arg(lookedFor.join(QStringLiteral("、")));
}
