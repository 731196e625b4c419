#include "core/JournalRecovery.h"

#include "core/CaseStepName.h"
#include "core/MoveOrder.h"
#include "core/Paths.h"

#include <QHash>
#include <QSet>

#include <utility>

namespace {

enum class Place {
    OldName,   // the file has its old name, the new one is free
    NewName,   // the file has its new name, the old one is free
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

// The names each folder holds, from one listing per folder, read when first
// needed and kept up to date with the settle's own changes: far cheaper than
// a listing per row, or a question for every possible temporary name.
class FolderNames {
public:
    explicit FolderNames(JournalDisk& disk)
        : m_disk(disk)
    {}

    // The folder lists the name spelled exactly so (a disk that folds case
    // finds other spellings too).
    bool isSpelled(const QString& folder, const QString& name) { return of(folder).all.contains(name); }

    // The temporary names of the row that are there.
    QStringList temporariesOf(const JournalRow& row)
    {
        const Names& names = of(row.folder);
        QStringList there;
        if (names.temporaries == 0)
            return there;
        for (const QString& name : TemporaryNames(row)) {
            if (names.all.contains(name))
                there.append(name);
        }
        return there;
    }

    void renamed(const QString& folder, const QString& from, const QString& to)
    {
        removed(folder, from);
        if (const auto found = m_folders.find(folder); found != m_folders.end())
            found->all.insert(to);
    }
    void removed(const QString& folder, const QString& name)
    {
        const auto found = m_folders.find(folder);
        if (found != m_folders.end() && found->all.remove(name) && name.startsWith(CaseStepPrefix()))
            --found->temporaries;
    }

private:
    struct Names {
        QSet<QString> all;
        int temporaries = 0;
    };
    const Names& of(const QString& folder)
    {
        auto found = m_folders.find(folder);
        if (found == m_folders.end()) {
            Names names;
            for (const QString& name : m_disk.namesIn(folder)) {
                names.all.insert(name);
                names.temporaries += name.startsWith(CaseStepPrefix()) ? 1 : 0;
            }
            found = m_folders.insert(folder, std::move(names));
        }
        return *found;
    }

    JournalDisk& m_disk;
    QHash<QString, Names> m_folders;
};

// Where the row's own file is now, known by its identity: a file that only
// has one of the row's names is not the row's file and is never touched.
Found Locate(const JournalRow& row, JournalDisk& disk, FolderNames& names)
{
    const bool atOld = row.identity.matches(disk.identityOf(JoinPath(row.folder, row.oldName)));
    const bool atNew = row.identity.matches(disk.identityOf(JoinPath(row.folder, row.newName)));
    if (atOld && atNew) {
        // On a disk that folds case both spellings find the one entry; the
        // folder's listing tells which spelling it has.
        const bool oldSpelled = names.isSpelled(row.folder, row.oldName);
        const bool newSpelled = names.isSpelled(row.folder, row.newName);
        if (oldSpelled && newSpelled)
            return {Place::TwoNames, {}};
        return {newSpelled ? Place::NewName : Place::OldName, {}};
    }
    if (atOld || atNew)
        return {atNew ? Place::NewName : Place::OldName, {}};
    for (const QString& name : names.temporariesOf(row)) {
        if (row.identity.matches(disk.identityOf(JoinPath(row.folder, name))))
            return {Place::Temporary, name};
    }
    return {Place::Nowhere, {}};
}

} // namespace

class Settler {
public:
    Settler(JournalBatch& batch, SettleAnswer answer, FileRenamer& renamer, JournalDisk& disk)
        : m_batch(batch)
        , m_answer(answer)
        , m_renamer(renamer)
        , m_disk(disk)
        , m_cutShort(batch.state == JournalState::Open || batch.state == JournalState::Undoing)
        , m_everyRow(batch.state == JournalState::Open || batch.statusesLost)
        , m_backStatus(m_everyRow && answer == SettleAnswer::Keep ? RowStatus::NotRenamed
                                                                  : RowStatus::PutBack)
        , m_next(batch.rows.size() - 1)
    {
        m_result.report.undo = answer == SettleAnswer::PutBack;
    }

    // Only a put-back of a finished batch can stop half-way: every row it
    // has not reached keeps its status and stays to be put back later.
    bool stop()
    {
        if (m_cutShort || m_everyRow)
            return false;
        m_stopping = true;
        return true;
    }

    // Settles rows from the last one back until the deadline; true once the
    // first row is done and the batch's state is set.
    bool runFor(QDeadlineTimer deadline)
    {
        m_result.report.walked = true;
        for (int steps = 1; m_next >= 0; --m_next, ++steps) {
            if (m_stopping) {
                leaveTheRest();
                break;
            }
            if (steps % DeadlineCheckInterval == 0 && deadline.hasExpired())
                return false;
            JournalRow& row = m_batch.rows[m_next];
            if (row.status == RowStatus::PutBack)
                continue; // an earlier put-back gave it its old name
            if (!row.identity.isKnown())
                leaveUnknown(static_cast<int>(m_next), row);
            else if (m_everyRow || row.status == RowStatus::Renamed)
                settle(static_cast<int>(m_next), row);
            else
                row.status = RowStatus::NotRenamed;
        }
        settleDeferred();
        m_batch.interrupted = m_batch.interrupted || m_cutShort;
        m_batch.state = SettledState(m_batch.rows);
        m_batch.statusesLost = false; // every row has its status again
        CountRows(m_batch);
        return true;
    }
    [[nodiscard]] qsizetype done() const { return m_batch.rows.size() - 1 - m_next; }
    [[nodiscard]] SettleResult& result() { return m_result; }

private:
    // Stopped by the user: the rows not reached keep their statuses.
    void leaveTheRest()
    {
        m_result.report.stopped = true;
        for (; m_next >= 0; --m_next)
            m_result.report.leftOut += m_batch.rows.at(m_next).status == RowStatus::Renamed ? 1 : 0;
    }

    // A row whose file was not there when the plan was made (the walk could
    // not rename it), or of a journal that names no files: a name alone
    // does not say which file to take, so nothing is touched. A row that
    // says it was renamed stays so, and is reported when asked for.
    void leaveUnknown(int index, JournalRow& row)
    {
        const bool claimed =
            row.status == RowStatus::Renamed || (!m_batch.identified && row.status == RowStatus::Planned);
        row.status = claimed ? RowStatus::Renamed : RowStatus::NotRenamed;
        if (claimed && m_answer == SettleAnswer::PutBack)
            report(index, JoinPath(row.folder, row.newName), row, {false, 0, UnidentifiedText()});
    }

    void settle(int index, JournalRow& row)
    {
        const QString oldPath = JoinPath(row.folder, row.oldName);
        const QString newPath = JoinPath(row.folder, row.newName);
        // Only a finished batch knows its file had the new name; after a
        // crash, the old name found means the row was never renamed, or,
        // in a put-back cut short, that it was put back. A row of a
        // finished batch that is not put back keeps its status: once the
        // file carries the new name again (a later batch is undone), it can
        // be put back.
        const bool tellMovedOn = !m_cutShort && !m_batch.statusesLost && m_answer == SettleAnswer::PutBack;
        const Found found = Locate(row, m_disk, m_names);
        if (m_everyRow)
            row.status = RowStatus::NotRenamed;
        switch (found.place) {
        case Place::OldName:
            if (tellMovedOn)
                report(index, newPath, row, {false, 0, MovedOnText()});
            else if (m_cutShort && !m_everyRow)
                row.status = RowStatus::PutBack;
            break;
        case Place::NewName:
            row.status = RowStatus::Renamed;
            if (m_answer == SettleAnswer::PutBack)
                putBackOrDefer(index, row, row.newName);
            break;
        case Place::TwoNames:
            // The old name already leads to the file; only the new one goes.
            row.status = RowStatus::Renamed;
            if (m_cutShort || m_answer == SettleAnswer::PutBack)
                putBack(index, row, row.newName, m_disk.removeExtraName(oldPath, newPath));
            break;
        case Place::Temporary:
            // Parked between two steps: the old name where it is free, else
            // the new one, so the file never stays under neither.
            row.status = RowStatus::Renamed;
            putBackOrDefer(index, row, found.temporaryName);
            break;
        case Place::Nowhere:
            if (m_answer == SettleAnswer::PutBack)
                report(index, newPath, row,
                       {false, 0, m_cutShort || m_batch.statusesLost ? NowhereText() : MovedOnText()});
            break;
        }
        if (m_cutShort)
            dropStrayTemporaries(index, row, {oldPath, newPath});
    }

    // The file of the row, now under `fromName`, goes back to the old name.
    // When a row of this batch still has that name, the rows are settled
    // together at the end, in an order that frees each name before it is
    // taken (an exchange goes round through a temporary name).
    void putBackOrDefer(int index, JournalRow& row, const QString& fromName)
    {
        const QString fromPath = JoinPath(row.folder, fromName);
        RenameOutcome outcome = m_renamer.rename(fromPath, JoinPath(row.folder, row.oldName));
        const bool parked = fromName != row.newName;
        if (!outcome.ok && (m_answer == SettleAnswer::PutBack || !parked) && takenByBatch(row)) {
            m_deferred.append({index, fromName});
            return;
        }
        if (!outcome.ok && parked && goForward(row, fromName))
            return;
        if (!outcome.ok && parked && takenByBatch(row)) {
            // An exchange cut half-way: the parked file can take neither
            // name while the rows that moved keep theirs, so they go back
            // with it, whatever the answer.
            m_deferred.append({index, fromName});
            pullBack(row);
            return;
        }
        putBack(index, row, fromName, std::move(outcome));
    }

    // The rows that hold `row`'s old name as their new one, and so on along
    // the chain, are put back too.
    void pullBack(const JournalRow& row)
    {
        QSet<int> seen;
        for (auto holder = m_byNewName.constFind(row.folder + QChar(0) + row.oldName);
             holder != m_byNewName.constEnd() && !seen.contains(*holder);) {
            seen.insert(*holder);
            const JournalRow& other = m_batch.rows.at(*holder);
            if (other.status != RowStatus::Renamed)
                break;
            m_deferred.append({*holder, other.newName});
            holder = m_byNewName.constFind(other.folder + QChar(0) + other.oldName);
        }
    }

    bool goForward(JournalRow& row, const QString& temporaryName)
    {
        if (!m_renamer.rename(JoinPath(row.folder, temporaryName), JoinPath(row.folder, row.newName)).ok)
            return false;
        m_names.renamed(row.folder, temporaryName, row.newName);
        row.status = RowStatus::Renamed;
        return true;
    }

    // Another row of the batch has `row`'s old name as its new name.
    bool takenByBatch(const JournalRow& row)
    {
        if (m_byNewName.isEmpty()) {
            for (int i = 0; i < m_batch.rows.size(); ++i)
                m_byNewName.insert(m_batch.rows.at(i).folder + QChar(0) + m_batch.rows.at(i).newName, i);
        }
        return m_byNewName.contains(row.folder + QChar(0) + row.oldName);
    }

    void settleDeferred()
    {
        QList<PlannedMove> moves;
        for (const Deferred& deferred : std::as_const(m_deferred)) {
            const JournalRow& row = m_batch.rows.at(deferred.index);
            moves.append({row.folder, deferred.fromName, row.oldName});
        }
        QHash<int, QString> parked;
        for (const OrderedStep& step : OrderMoves(moves)) {
            const Deferred& deferred = m_deferred.at(step.move);
            JournalRow& row = m_batch.rows[deferred.index];
            const QString fromPath = JoinPath(row.folder, deferred.fromName);
            if (step.step == MoveStep::Direct) {
                RenameOutcome outcome = m_renamer.rename(fromPath, JoinPath(row.folder, row.oldName));
                if (outcome.ok || deferred.fromName == row.newName || !goForward(row, deferred.fromName))
                    putBack(deferred.index, row, deferred.fromName, std::move(outcome));
            } else if (step.step == MoveStep::ToTemporary) {
                if (QString name = park(row, deferred.fromName); !name.isNull())
                    parked.insert(step.move, name);
                else
                    report(deferred.index, fromPath, row, {false, 0, NotParkedText()});
            } else if (const QString name = parked.take(step.move); !name.isNull()) {
                const QString parkedPath = JoinPath(row.folder, name);
                RenameOutcome outcome = m_renamer.rename(parkedPath, JoinPath(row.folder, row.oldName));
                if (!outcome.ok && m_renamer.rename(parkedPath, fromPath).ok)
                    m_names.renamed(row.folder, name, deferred.fromName);
                else if (!outcome.ok)
                    outcome.reason = StrandedTemporaryText(TemporaryStep::Exchange, name, outcome.reason);
                putBack(deferred.index, row, name, std::move(outcome));
            }
        }
        m_deferred.clear();
    }

    // The file goes under a free temporary name that recovery knows.
    QString park(const JournalRow& row, const QString& fromName)
    {
        for (int attempt = 0; attempt < kCaseStepAttempts; ++attempt) {
            const QString name = CaseStepTemporaryName(row.newName, row.oldName, attempt);
            if (m_renamer.rename(JoinPath(row.folder, fromName), JoinPath(row.folder, name)).ok) {
                m_names.renamed(row.folder, fromName, name);
                return name;
            }
        }
        return {};
    }

    // A case step done by link and unlink and cut between the two calls
    // leaves its temporary name as a second name of the file.
    void dropStrayTemporaries(int index, const JournalRow& row, const QStringList& names)
    {
        for (const QString& temporaryName : m_names.temporariesOf(row)) {
            const QString temporary = JoinPath(row.folder, temporaryName);
            if (!row.identity.matches(m_disk.identityOf(temporary)))
                continue;
            for (const QString& name : names) {
                if (!row.identity.matches(m_disk.identityOf(name)))
                    continue;
                RenameOutcome outcome = m_disk.removeExtraName(name, temporary);
                if (outcome.ok)
                    m_names.removed(row.folder, temporaryName);
                else
                    report(index, temporary, row, std::move(outcome));
                break;
            }
        }
    }

    // `fromName` went, or was to go, and the old name stays or came back.
    void putBack(int index, JournalRow& row, const QString& fromName, RenameOutcome outcome)
    {
        if (!outcome.ok) {
            report(index, JoinPath(row.folder, fromName), row, std::move(outcome));
            return;
        }
        m_names.renamed(row.folder, fromName, row.oldName);
        row.status = m_backStatus;
        ++m_result.report.renamed;
        m_result.putBack.append(row);
    }

    void report(int index, const QString& fromPath, const JournalRow& row, RenameOutcome outcome)
    {
        m_result.report.failures.append(
            {index, fromPath, row.oldName, outcome.code,
             m_result.report.undo ? UndoReasonText(std::move(outcome.reason)) : std::move(outcome.reason)});
    }

    JournalBatch& m_batch;
    SettleAnswer m_answer;
    FileRenamer& m_renamer;
    JournalDisk& m_disk;
    bool m_cutShort;
    bool m_everyRow; // an open batch never recorded which rows were renamed
    // A row whose file has its old name again: put back, or, where a walk cut
    // short is rolled back, not renamed.
    RowStatus m_backStatus;
    qsizetype m_next; // the row settled next, from the last one back
    bool m_stopping = false;
    struct Deferred {
        int index;
        QString fromName;
    };
    QList<Deferred> m_deferred;      // put-backs waiting for a name the batch still holds
    QHash<QString, int> m_byNewName; // folder + NUL + new name -> row, once needed
    FolderNames m_names{m_disk};
    SettleResult m_result;
};

namespace {

QString RowKey(const QString& folder, const QString& name)
{
    return folder + QChar(0) + name;
}

} // namespace

SettleResult SettleBatch(JournalBatch& batch, SettleAnswer answer, FileRenamer& renamer, JournalDisk& disk)
{
    Settler settler(batch, answer, renamer, disk);
    while (!settler.runFor(QDeadlineTimer(QDeadlineTimer::Forever))) {
    }
    return std::move(settler.result());
}

SettleTask::SettleTask(JournalBatch batch, SettleAnswer answer, FileRenamer& renamer, JournalDisk& disk)
    : m_batch(std::move(batch))
    , m_settler(std::make_unique<Settler>(m_batch, answer, renamer, disk))
{}

SettleTask::~SettleTask() = default;

bool SettleTask::runFor(QDeadlineTimer deadline)
{
    return m_settler->runFor(deadline);
}

qsizetype SettleTask::done() const
{
    return m_settler->done();
}

bool SettleTask::stop()
{
    return m_settler->stop();
}

int CountStillRenamed(const JournalBatch& batch, JournalDisk& disk)
{
    const bool everyRow = batch.state == JournalState::Open || batch.statusesLost;
    FolderNames names(disk);
    int count = 0;
    for (const JournalRow& row : batch.rows) {
        if (!row.identity.isKnown() || !(everyRow || row.status == RowStatus::Renamed))
            continue;
        const Place place = Locate(row, disk, names).place;
        count += place == Place::OldName || place == Place::Nowhere ? 0 : 1;
    }
    return count;
}

SettleResult& SettleTask::result()
{
    return m_settler->result();
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
        "このリネームの後で名前が変わったか、移動または削除されているため、元に戻しませんでした。"
        "後のリネームで名前が変わったときは、リネーム履歴でそちらを先に元に戻してください。");
}

QString UnidentifiedText()
{
    return QStringLiteral(
        "この記録からはどのファイルをリネームしたのか確かめられないため、元に戻しませんでした。"
        "必要なら、ファイルマネージャーで名前を元に戻してください。");
}

QString NotParkedText()
{
    return QStringLiteral("名前を入れ替えるための一時的な名前を付けられなかったため、元に戻しませんでした。"
                          "フォルダの空き容量とアクセス権を確かめてから、もう一度元に戻してください。");
}

QString NowhereText()
{
    return QStringLiteral("元の名前にも変更後の名前にもファイルが見つからないため、元に戻しませんでした。"
                          "ほかのプログラムで移動または削除された可能性があります。");
}
