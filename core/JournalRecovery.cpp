#include "core/JournalRecovery.h"

#include "core/CaseStepName.h"
#include "core/Paths.h"

#include <QHash>
#include <QSet>

#include <utility>

namespace {

enum class Place {
    OldName,   // the file has its old name, the new one is free
    NewName,   // the file has its new name, the old one is free
    Both,      // two different files hold the two names
    TwoNames,  // both names lead to the file: a rename by link and unlink was cut
    Temporary, // a case-only rename was cut between its two steps
    Nowhere,
};

struct Found {
    Place place = Place::Nowhere;
    QString temporaryName;
};

// Where a case-only rename of the row may have parked the file between its
// two steps; put-backs of case-only renames go the other way, with names of
// their own.
QStringList TemporaryNames(const JournalRow& row)
{
    QStringList names;
    for (int attempt = 0; attempt < kCaseStepAttempts; ++attempt) {
        names.append(CaseStepTemporaryName(row.oldName, row.newName, attempt));
        names.append(CaseStepTemporaryName(row.newName, row.oldName, attempt));
    }
    return names;
}

// The temporary names present in each folder, from one listing per folder:
// far cheaper than asking for every possible name of every row.
class Temporaries {
public:
    explicit Temporaries(JournalDisk& disk)
        : m_disk(disk)
    {}
    // The temporary names of the row that are there.
    QStringList of(const JournalRow& row)
    {
        auto found = m_present.find(row.folder);
        if (found == m_present.end()) {
            const QStringList names = m_disk.namesStartingWith(row.folder, CaseStepPrefix());
            found = m_present.insert(row.folder, QSet<QString>(names.cbegin(), names.cend()));
        }
        QStringList there;
        if (found->isEmpty())
            return there;
        for (const QString& name : TemporaryNames(row)) {
            if (found->contains(name))
                there.append(name);
        }
        return there;
    }
    void gone(const QString& folder, const QString& name) { m_present[folder].remove(name); }

private:
    JournalDisk& m_disk;
    QHash<QString, QSet<QString>> m_present;
};

Found Locate(const JournalRow& row, JournalDisk& disk, Temporaries& temporaries)
{
    const QString oldPath = JoinPath(row.folder, row.oldName);
    const QString newPath = JoinPath(row.folder, row.newName);
    const bool oldThere = disk.exists(oldPath);
    const bool newThere = disk.exists(newPath);
    if (oldThere && newThere && disk.isSameFile(oldPath, newPath)) {
        // On a disk that folds case both spellings find the one entry; the
        // folder's listing tells which spelling it has.
        const bool oldSpelled = disk.isSpelledAs(oldPath);
        const bool newSpelled = disk.isSpelledAs(newPath);
        if (oldSpelled && newSpelled)
            return {Place::TwoNames, {}};
        return {newSpelled ? Place::NewName : Place::OldName, {}};
    }
    if (oldThere)
        return {newThere ? Place::Both : Place::OldName, {}};
    if (newThere)
        return {Place::NewName, {}};
    const QStringList there = temporaries.of(row);
    if (there.isEmpty())
        return {Place::Nowhere, {}};
    return {Place::Temporary, there.first()};
}

class Settler {
public:
    Settler(JournalBatch& batch, SettleAnswer answer, FileRenamer& renamer, JournalDisk& disk)
        : m_batch(batch)
        , m_answer(answer)
        , m_renamer(renamer)
        , m_disk(disk)
        , m_cutShort(batch.state == JournalState::Open || batch.state == JournalState::Undoing)
    {}

    SettleResult run()
    {
        m_result.report.walked = true;
        const bool everyRow = m_batch.state == JournalState::Open;
        bool anyLeft = false;
        for (qsizetype i = m_batch.rows.size() - 1; i >= 0; --i) {
            JournalRow& row = m_batch.rows[i];
            if (everyRow || row.status == RowStatus::Renamed)
                settle(static_cast<int>(i), row);
            else
                row.status = RowStatus::NotRenamed;
            anyLeft = anyLeft || row.status == RowStatus::Renamed;
        }
        m_batch.interrupted = m_batch.interrupted || m_cutShort;
        m_batch.state = anyLeft ? JournalState::Done : JournalState::Undone;
        return std::move(m_result);
    }

private:
    void settle(int index, JournalRow& row)
    {
        const QString oldPath = JoinPath(row.folder, row.oldName);
        const QString newPath = JoinPath(row.folder, row.newName);
        // Only a finished batch knows its file had the new name; after a
        // crash, the old name found means the row was never renamed.
        const bool tellMovedOn = !m_cutShort && m_answer == SettleAnswer::PutBack;
        const Found found = Locate(row, m_disk, m_temporaries);
        row.status = RowStatus::NotRenamed;
        switch (found.place) {
        case Place::OldName:
            if (tellMovedOn)
                report(index, newPath, row, {false, 0, MovedOnText()});
            break;
        case Place::Both:
            // After a crash: the walk found the new name taken and left the
            // row. In a finished batch the file has the new name, and the
            // name that took its old one is reported by the rename back.
            if (m_cutShort)
                break;
            [[fallthrough]];
        case Place::NewName:
            row.status = RowStatus::Renamed;
            if (m_answer == SettleAnswer::PutBack)
                putBack(index, row, newPath, m_renamer.rename(newPath, oldPath));
            break;
        case Place::TwoNames:
            // The old name already leads to the file; only the new one goes.
            row.status = RowStatus::Renamed;
            if (m_cutShort || m_answer == SettleAnswer::PutBack)
                putBack(index, row, newPath, m_disk.removeExtraName(oldPath, newPath));
            break;
        case Place::Temporary: {
            row.status = RowStatus::Renamed;
            const QString temporaryPath = JoinPath(row.folder, found.temporaryName);
            putBack(index, row, temporaryPath, m_renamer.rename(temporaryPath, oldPath));
            if (row.status == RowStatus::NotRenamed)
                m_temporaries.gone(row.folder, found.temporaryName);
            break;
        }
        case Place::Nowhere:
            if (m_answer == SettleAnswer::PutBack)
                report(index, newPath, row, {false, 0, m_cutShort ? NowhereText() : MovedOnText()});
            break;
        }
        if (m_cutShort)
            dropStrayTemporaries(index, row, {oldPath, newPath});
    }

    // A case step done by link and unlink and cut between the two calls
    // leaves its temporary name as a second name of the file.
    void dropStrayTemporaries(int index, const JournalRow& row, const QStringList& names)
    {
        for (const QString& temporaryName : m_temporaries.of(row)) {
            const QString temporary = JoinPath(row.folder, temporaryName);
            for (const QString& name : names) {
                if (!m_disk.isSameFile(name, temporary))
                    continue;
                RenameOutcome outcome = m_disk.removeExtraName(name, temporary);
                if (outcome.ok)
                    m_temporaries.gone(row.folder, temporaryName);
                else
                    report(index, temporary, row, std::move(outcome));
                break;
            }
        }
    }

    void putBack(int index, JournalRow& row, const QString& fromPath, RenameOutcome outcome)
    {
        if (!outcome.ok) {
            report(index, fromPath, row, std::move(outcome));
            return;
        }
        row.status = RowStatus::NotRenamed;
        ++m_result.report.renamed;
        m_result.putBack.append(row);
    }

    void report(int index, const QString& fromPath, const JournalRow& row, RenameOutcome outcome)
    {
        m_result.report.failures.append(
            {index, fromPath, row.oldName, outcome.code, std::move(outcome.reason)});
    }

    JournalBatch& m_batch;
    SettleAnswer m_answer;
    FileRenamer& m_renamer;
    JournalDisk& m_disk;
    bool m_cutShort;
    Temporaries m_temporaries{m_disk};
    SettleResult m_result;
};

QString RowKey(const QString& folder, const QString& name)
{
    return folder + QChar(0) + name;
}

} // namespace

SettleResult SettleBatch(JournalBatch& batch, SettleAnswer answer, FileRenamer& renamer, JournalDisk& disk)
{
    return Settler(batch, answer, renamer, disk).run();
}

void FollowPutBack(RenameList& list, const QList<JournalRow>& putBack)
{
    if (putBack.isEmpty())
        return;
    QHash<QString, QString> oldNameOf;
    oldNameOf.reserve(putBack.size());
    for (const JournalRow& row : putBack)
        oldNameOf.insert(RowKey(row.folder, row.newName), row.oldName);
    RenameList::EditScope scope(list);
    for (int i = 0; i < list.count(); ++i) {
        const RenameEntry& entry = list.at(i);
        const auto found = oldNameOf.constFind(RowKey(entry.folder, entry.currentName));
        if (found == oldNameOf.constEnd())
            continue;
        RenameEntry& changed = scope.row(i);
        changed.previousName = std::exchange(changed.currentName, *found);
    }
}

QString MovedOnText()
{
    return QStringLiteral(
        "リネームの後で名前が変わったか、移動または削除されているため、元に戻しませんでした。");
}

QString NowhereText()
{
    return QStringLiteral("元の名前にも変更後の名前にもファイルが見つかりません。");
}
