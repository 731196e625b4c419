#pragma once

#include "core/GivenPaths.h"
#include "core/NameText.h"
#include "core/Services.h"

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
// the split for its row; the rows of one folder share its text.
class PathKinds {
public:
    // Reads no path text after it returns.
    PathKinds(const GivenPaths& paths, FolderLister& lister);

    // Whether `path`, the given path `index`, names an existing folder.
    [[nodiscard]] bool isExistingFolder(qsizetype index, QAnyStringView path);
    // The index of the last separator of path `index` when it names an entry
    // of a folder plainly (no trailing separator, not "." or ".."), else -1.
    [[nodiscard]] qsizetype separatorOf(qsizetype index) const
    {
        return m_splits[static_cast<size_t>(index)].separator;
    }
    // The folder the row of a plain path takes: the text before its last
    // separator (none for an entry of the root), one block for all the
    // paths of that folder.
    [[nodiscard]] const NameText& folderOf(qsizetype index) const;

    // A folder is read once it holds at least this many of the paths.
    static constexpr int ListingThreshold = 64;

private:
    struct Parent {
        QString folder; // as the system is asked; the root keeps its separator
        NameText text;  // as rows take it
        int given = 0;
        enum class State { Unread, Read, AskEach } state = State::Unread;
        std::vector<quint64> subfolderHashes; // sorted; a hit is confirmed by asking the system
    };
    struct Split {
        qint32 separator = -1;
        qint32 parent = -1; // index into m_parents
    };
    void read(Parent& parent);

    FolderLister& m_lister;
    std::vector<Parent> m_parents;
    std::vector<Split> m_splits;
    NameText m_root; // the empty folder of an entry of the root
};
