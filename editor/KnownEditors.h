#pragma once
// Desktop text editors the program knows by name: the order in which a
// default editor is looked for, and the switches that keep an editor's
// process alive for as long as its window shows the file.

#include <QString>
#include <QStringList>

// Program names in the order a default editor is searched on PATH.
[[nodiscard]] const QStringList& DesktopEditorNames();

// The arguments that start `program` (a path or a bare name) on `filePath`:
// its waiting switches, if it is a known single-instance editor, then the
// file. Without them such an editor hands the file to an instance already
// running and its own process ends at once, so its window could not be
// watched.
[[nodiscard]] QStringList EditorStartArguments(const QString& program, const QString& filePath);
