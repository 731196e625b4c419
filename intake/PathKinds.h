#pragma once

#include "core/Services.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// Tells which of an intake's paths name existing folders (a folder is
// scanned, a file becomes a row). Asking the system about each of 100,000
// paths costs a path look-up apiece, several times the cost of reading their
// folder once; so a folder that holds many of the paths is read once for its
// subfolders, and only a path found among them is confirmed by asking the
// system. A folder that cannot be read, or turns out to hold far more
// entries than paths were given from it, falls back to asking for each path.
class PathKinds {
public:
    PathKinds(const QStringList& paths, FolderLister& lister);

    [[nodiscard]] bool isExistingFolder(const QString& path);

    // A folder is read once it holds at least this many of the paths.
    static constexpr int ListingThreshold = 64;

private:
    struct Parent {
        int given = 0;
        enum class State { Unread, Read, AskEach } state = State::Unread;
        QSet<QString> subfolders;
    };
    Parent* parentOf(QStringView folder);
    void read(const QString& folder, Parent& parent);

    FolderLister& m_lister;
    QHash<QString, Parent> m_parents;
    // Paths come in runs from one folder: the last one found is kept.
    QString m_lastFolder;
    Parent* m_last = nullptr;
};
