#pragma once

#include "core/RenameList.h"

#include <QHash>

#include <vector>

// The rows an intake gathered from given paths that name a path listed
// before them: a row of the list, or a row the intake gathered earlier
// (exactly, character by character: two spellings of one file are two
// paths). Rows of a folder scan are never repeats themselves.
//
// The test runs once, when the intake ends: every row's full path is hashed
// once, piecewise and without building it, the hashes are sorted by radix,
// and only rows whose hashes meet are compared. That reads memory in order,
// where a hash table probed once a path misses the cache once a path.
class RepeatedPaths {
public:
    // Gathered row `row` came from the given path `path`; `plain` when the
    // path is exactly the row's full path (no trailing or doubled separator),
    // so it need not be kept.
    void addTested(qsizetype row, QAnyStringView path, bool plain);

    // Removes the repeats from `gathered`, keeping the order of the others;
    // returns how many it removed.
    qsizetype removeFrom(const RenameList& list, QList<RenameEntry>& gathered) const;

private:
    // Runs of gathered rows from given paths, [first, end), ascending.
    std::vector<std::pair<qsizetype, qsizetype>> m_tested;
    QHash<qsizetype, QString> m_unplain; // the given path of a tested row that is not plain
};

// The hash of a path's characters, as RepeatedPaths computes it for rows.
[[nodiscard]] quint32 PathHash(QStringView path);
