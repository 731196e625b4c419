#pragma once
// What the editor launch needs to know about the operating system.

#include <QString>

// "notepad.exe" on Windows; elsewhere the full path of the first known
// desktop text editor found on PATH, or empty when there is none.
[[nodiscard]] QString DefaultEditor();

// Whether an editor path names a document to be opened with the program the
// system associates with it, rather than a program to start on the file.
[[nodiscard]] bool IsEditorDocument(const QString& editorPath);

// Notepad reads UTF-8 faithfully only when the file starts with a byte-order
// mark; editors elsewhere take UTF-8 as it is.
[[nodiscard]] bool ExchangeFileWantsByteOrderMark();
