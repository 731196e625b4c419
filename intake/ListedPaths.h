#pragma once

#include "core/RenameList.h"

#include <QStringView>

#include <vector>

// Which full paths are listed, for the length of one intake: the rows of the
// list and the rows the intake has gathered so far (appended to the list only
// at its end). Each row is hashed once, piecewise and without building its
// path, so a duplicate test is one hash look-up instead of a walk over every
// row; a hash hit is confirmed by an exact comparison. The rows must not
// change while the index is in use; new ones may only be appended.
class ListedPaths {
public:
    ListedPaths(const RenameList& list, const QList<RenameEntry>& gathered);

    // True when some row's full path equals `path` exactly, character by
    // character; two spellings of one file are two paths.
    [[nodiscard]] bool contains(QStringView path);

private:
    [[nodiscard]] const RenameEntry& rowAt(qsizetype index) const;
    [[nodiscard]] quint32 hashOfRow(const RenameEntry& entry);
    [[nodiscard]] quint32 hashOfPath(QStringView path);
    void indexNewRows();
    void insert(quint32 hash, qsizetype row);
    void grow();

    const RenameList& m_list;
    const QList<RenameEntry>& m_gathered;
    std::vector<quint64> m_slots; // hash in the high half, row + 1 in the low half; 0 is free
    qsizetype m_indexed = 0;      // rows of the list and then of `gathered` indexed so far
    // The rows of one folder share its text: its hash is computed once.
    NameText m_lastFolder;
    quint64 m_lastFolderState = 0;
    // Paths looked up come in runs from one folder too: the hash state after
    // the last one's folder and separator is kept.
    QString m_lastPathFolder;
    quint64 m_lastPathFolderState;
};

// The hash of a path's characters, as ListedPaths computes it for rows.
[[nodiscard]] quint32 PathHash(QStringView path);
