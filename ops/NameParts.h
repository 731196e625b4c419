#pragma once

#include <QString>

// A name split at its last "." into the base name and the extension with its
// dot, exactly as BaseNameOf and DotExtensionOf split a name. Unlike those
// path functions it never looks for a folder separator: a new name may hold a
// "\" or "/" (typed in the editor, or made by width conversion) and must not
// lose the text before it. base + dotExtension is always the whole name.
struct NameParts {
    QString base;
    QString dotExtension;
};

[[nodiscard]] NameParts SplitName(const QString& name);
