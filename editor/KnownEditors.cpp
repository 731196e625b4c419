#include "editor/KnownEditors.h"

#include <QFileInfo>

namespace {

struct KnownEditor {
    QString name;
    QStringList switches;
};

// Every switch is the editor's documented one:
// mousepad --disable-server: no D-Bus registration, so no hand-over to a running instance;
// gedit -w/--wait: open the files and block the process until they are closed;
// gnome-text-editor -s/--standalone: run a new instance;
// kate -b/--block: block until the files opened in a running instance are closed;
// featherpad -s/--standalone: start a standalone process;
// geany -i/--new-instance: do not open files in a running instance;
// code -w/--wait: wait for the files to be closed before returning.
// kwrite, leafpad, pluma and xed take none: kwrite and leafpad run one
// process per start; pluma and xed document no such switch, so they can
// only be watched when no other instance of them is running.
const QList<KnownEditor>& knownEditors()
{
    static const QList<KnownEditor> editors = {
        {QStringLiteral("mousepad"), {QStringLiteral("--disable-server")}},
        {QStringLiteral("gedit"), {QStringLiteral("--wait")}},
        {QStringLiteral("gnome-text-editor"), {QStringLiteral("--standalone")}},
        {QStringLiteral("kate"), {QStringLiteral("--block")}},
        {QStringLiteral("kwrite"), {}},
        {QStringLiteral("pluma"), {}},
        {QStringLiteral("xed"), {}},
        {QStringLiteral("featherpad"), {QStringLiteral("--standalone")}},
        {QStringLiteral("leafpad"), {}},
        {QStringLiteral("geany"), {QStringLiteral("--new-instance")}},
        {QStringLiteral("code"), {QStringLiteral("--wait")}},
    };
    return editors;
}

} // namespace

const QStringList& DesktopEditorNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const KnownEditor& editor : knownEditors())
            list.append(editor.name);
        return list;
    }();
    return names;
}

QStringList EditorStartArguments(const QString& program, const QString& filePath)
{
    const QString name = QFileInfo(program).fileName();
    QStringList arguments;
    for (const KnownEditor& editor : knownEditors()) {
        if (editor.name == name) {
            arguments = editor.switches;
            break;
        }
    }
    arguments.append(filePath);
    return arguments;
}
