#pragma once
// Putting back the names of a journal batch: after a crash, when the user
// answers the question at start-up, and from the rename history. Nothing is
// overwritten: every rename goes through the same no-replace call as the
// walks, and every row that cannot be put back is reported.

#include "core/JournalDisk.h"
#include "core/RenameJournalFormat.h"
#include "core/RenameList.h"
#include "core/RenameWalk.h"
#include "core/SlicedTask.h"

#include <memory>

enum class SettleAnswer {
    PutBack, // every file that carries its new name gets its old name again
    Keep,    // names stay as they are
};

struct SettleResult {
    RenameReport report;       // rows numbered by their place in the batch
    QList<JournalRow> putBack; // rows whose file went from the new name to the old one
};

// Settles `batch` on disk and updates it: afterwards each row says whether
// its file still carries the new name or was put back, and the state
// whether some or all of the renamed rows were put back (SettledState). A
// row's state changes only when its file really got its old name again. A
// row's file is known by its identity: a file that
// only has one of the row's names is never touched, and a row that knows
// no identity (its file was missing, or the journal is of version 1) is
// left alone and reported. An open or undoing batch (cut short) is judged by the
// disk alone, every row of an open one, the renamed rows of the others. A
// row cut between two steps (a file under both names, or under its
// temporary name) gets its old name back whatever the answer, or its new
// name where the old one is taken. Rows of a finished batch whose file no
// longer carries the new name are reported, not touched and stay marked
// renamed: once a later batch that renamed them on is undone, they can be
// put back. Rows already put back are passed over. Rows are
// settled from the last to the first, so that chains (a to b, then c to a)
// unwind; rows whose old name another row of the batch still holds are
// settled together at the end, in an order that frees each name before it
// is taken (names that go round through a temporary name).
SettleResult SettleBatch(JournalBatch& batch, SettleAnswer answer, FileRenamer& renamer, JournalDisk& disk);

class Settler;

// The same settling as a task that goes on in slices, over its own copy of
// the batch: the batch and the result are final once it is done.
class SettleTask final : public SlicedTask {
public:
    SettleTask(JournalBatch batch, SettleAnswer answer, FileRenamer& renamer, JournalDisk& disk);
    ~SettleTask() override;
    [[nodiscard]] bool runFor(QDeadlineTimer deadline) override;
    [[nodiscard]] qsizetype done() const override;
    [[nodiscard]] qsizetype total() const override { return m_batch.rows.size(); }
    // A put-back from the history stops after the row at hand; the rows it
    // has not reached stay to be put back.
    [[nodiscard]] bool stop() override;
    [[nodiscard]] JournalBatch& batch() { return m_batch; }
    [[nodiscard]] SettleResult& result();

private:
    JournalBatch m_batch;
    std::unique_ptr<Settler> m_settler;
};

// The files of the batch that carry their new name now (or are caught
// between two names): of an open batch every row's, else the rows marked
// renamed. What a walk cut short had changed, by the disk.
[[nodiscard]] int CountStillRenamed(const JournalBatch& batch, JournalDisk& disk);

// Rows of the list that showed a put-back file under its new name follow it:
// the current name becomes the old name, the previous name the new one.
void FollowPutBack(RenameList& list, const QList<JournalRow>& putBack);

// The reasons recovery gives for rows it leaves alone.
[[nodiscard]] QString MovedOnText();
[[nodiscard]] QString NowhereText();
[[nodiscard]] QString UnidentifiedText();
[[nodiscard]] QString NotParkedText();
