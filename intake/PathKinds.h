#pragma once

#include "core/Services.h"

#include <QHash>
#include <QStringList>

#include <vector>

// Tells which of an intake's paths name existing folders (a folder is
// scanned, a file becomes a row). Asking the system about each of 100,000
// paths costs a path look-up apiece, several times the cost of reading their
// folder once; so a folder that holds many of the paths is read once for its
// subfolders, and only a path found among them is confirmed by asking the
// system. A folder that cannot be read, or turns out to hold far more
// entries than paths were given from it, falls back to asking for each path.
//
// Each path is split into folder and name once, here, and the intake reuses
// the split for its row.
class PathKinds {
public:
    PathKinds(const QStringList& paths, FolderLister& lister);

    // Whether paths[index] names an existing folder.
    [[nodiscard]] bool isExistingFolder(qsizetype index);
    // The index of the last separator of paths[index] when it names an entry
    // of a folder plainly (no trailing separator, not "." or ".."), else -1.
    [[nodiscard]] qsizetype separatorOf(qsizetype index) const
    {
        return m_splits[static_cast<size_t>(index)].separator;
    }
    // Plain paths that follow each other with the same folder text share a
    // run number.
    [[nodiscard]] int folderRunOf(qsizetype index) const { return m_splits[static_cast<size_t>(index)].run; }

    // A folder is read once it holds at least this many of the paths.
    static constexpr int ListingThreshold = 64;

private:
    struct Parent {
        QString folder;
        int given = 0;
        enum class State { Unread, Read, AskEach } state = State::Unread;
        std::vector<size_t> subfolderHashes; // sorted; a hit is confirmed by asking the system
    };
    struct Split {
        qsizetype separator = -1;
        int parent = -1; // index into m_parents
        int run = -1;
    };
    void read(Parent& parent);

    const QStringList& m_paths;
    FolderLister& m_lister;
    std::vector<Parent> m_parents;
    std::vector<Split> m_splits;
};
