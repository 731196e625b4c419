#pragma once
// Short ways to state the rows of a rename list and to read them back.

#include "core/RenameList.h"
#include "tests/support/Utf8.h"

// One row per current name, all in `folder`; the new names pair up by place
// and missing ones are empty.
inline RenameList ListOf(const QStringList& currentNames, const QStringList& newNames = {},
                         const QString& folder = QStringLiteral("/tmp"))
{
    RenameList list;
    for (qsizetype i = 0; i < currentNames.size(); ++i)
        list.append(RenameEntry{currentNames.at(i), newNames.value(i), QString(), folder, 0});
    return list;
}

inline QStringList NewNames(const RenameList& list)
{
    QStringList names;
    for (const RenameEntry& entry : list.rows())
        names.append(entry.newName);
    return names;
}

inline QStringList CurrentNames(const RenameList& list)
{
    QStringList names;
    for (const RenameEntry& entry : list.rows())
        names.append(entry.currentName);
    return names;
}
