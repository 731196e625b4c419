#pragma once
// Name and path functions shared by every command. They work on plain text,
// take the separator as a parameter (so the Windows forms can be tested on any
// platform) and never fail: every input, the empty one included, has a result.

#include <QChar>
#include <QDir>
#include <QString>

[[nodiscard]] inline QChar NativeSeparator()
{
    return QDir::separator();
}

// folder + name, with exactly one separator between them; an empty folder
// gives the separator followed by the name.
[[nodiscard]] QString JoinPath(const QString& folder, const QString& name, QChar sep = NativeSeparator());
// Text before the last separator; empty when there is none or when the only
// one is the first character.
[[nodiscard]] QString FolderOf(const QString& path, QChar sep = NativeSeparator());
// Text after the last separator; the whole path when it has none.
[[nodiscard]] QString FileNameOf(const QString& path, QChar sep = NativeSeparator());
// The file name before its last dot; the whole input unchanged when the file
// name has no dot.
[[nodiscard]] QString BaseNameOf(const QString& path, QChar sep = NativeSeparator());
// Text after the last dot of the whole input (callers pass names, not paths).
[[nodiscard]] QString ExtensionOf(const QString& name);
// From the last dot to the end, dot included.
[[nodiscard]] QString DotExtensionOf(const QString& name);

// The name in Unicode normalization form C (composed: "ハ" + U+309A becomes
// "パ"). Text that IsSurelyComposed is returned without being normalized.
[[nodiscard]] QString ComposedName(const QString& name);
// True when every character of the text is one that normalization never
// changes, nor combines with its neighbour: the text below U+0300 (ASCII
// among it), kana without the combining sound marks, kanji, full-width and
// half-width forms. False says nothing: the text may be composed or not.
[[nodiscard]] bool IsSurelyComposed(QStringView text);

[[nodiscard]] bool IsExistingFile(const QString& path);
[[nodiscard]] bool IsExistingFolder(const QString& path);
