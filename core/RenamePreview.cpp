#include "core/RenamePreview.h"

#include "core/LegacyNames.h"
#include "core/MoveOrder.h"
#include "core/NameBytes.h"
#include "core/NameTable.h"
#include "core/Paths.h"
#include "core/RenameWalk.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// What a name in a folder's table says: nobody has it, a file that no row
// stands for has it, or row r has it (r + 1). A row that moves keeps its entry
// under its old name, which counts as nobody's once the row has moved: one
// change of the table per moving row instead of two.
constexpr int Nobody = 0;
constexpr int Unlisted = -1;

// The same folder given with and without a trailing separator is one folder;
// so is the root, which a path's row gives as "" and a scan as "/".
QString FolderKey(QString folder)
{
    while (folder.endsWith(NativeSeparator()))
        folder.chop(1);
    return folder;
}

// A name that may have a look-alike: of two names that differ only in how
// their characters are composed, one at least is not surely composed.
bool IsLoose(const NameText& name)
{
    return !name.isAscii() && !IsSurelyComposed(name.utf16View());
}

// One folder while the walk is played through: who has each name now.
struct FolderState {
    QString folder;     // as the first of its rows gives it
    int walkedRows = 0; // each may add its new name to the table
    int rows = 0;       // of the list, walked or not
    bool listed = false;
    bool foldsCase = false;
    int longestName = 0;
    // A name of the listing or a walked row's new name is loose (IsLoose):
    // only then is the listing kept to look for look-alikes after the walk.
    bool mayHoldLookAlikes = false;
    // The listed names no row stands for: with the rows that hold their own
    // names, the listing.
    QList<NameText> unclaimed;
    NameTable holder; // name as the file system compares it -> Nobody, Unlisted or row + 1

    // The name as the table knows it. Where case counts, the name itself,
    // not even its reference count touched: a million rows are looked up.
    // Elsewhere its folded form, kept in `folded`.
    [[nodiscard]] const NameText& keyOf(const NameText& name, NameText& folded) const
    {
        if (!foldsCase)
            return name;
        folded = NameText(name.toString().toCaseFolded());
        return folded;
    }
};

class WalkPlay {
public:
    WalkPlay(const RenameList& list, FolderRules& rules, bool throughTemporaryNames)
        : m_list(list)
        , m_rules(rules)
        , m_throughTemporaryNames(throughTemporaryNames)
        , m_count(list.count())
        , m_walked(static_cast<size_t>(m_count))
        , m_holdsOwnName(static_cast<size_t>(m_count))
        , m_moved(static_cast<size_t>(m_count))
        , m_listedOtherwise(static_cast<size_t>(m_count))
        , m_circle(static_cast<size_t>(m_count), Circle::Unknown)
        , m_rows(m_count)
    {}

    void walkRow(int row) { m_walked[static_cast<size_t>(row)] = true; }

    RenamePreview run(const std::atomic<bool>* stop = nullptr)
    {
        const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
        groupByFolder();
        if (stopped())
            return {};
        readFolders();
        if (stopped())
            return {};
        refuseNames();
        if (stopped())
            return {};
        play();
        if (stopped())
            return {};
        markLookAlikes();
        RenamePreview preview{std::move(m_rows), 0};
        for (int row = 0; row < m_count; ++row) {
            RowPreview& result = preview.rows[row];
            // A holder that moves away later would have let this row through
            // had this row come after it: worth saying so.
            if (result.problem == PreviewProblem::HeldByRow && result.otherRow > row &&
                moved(result.otherRow))
                result.problem = PreviewProblem::HeldByLaterRow;
            preview.failing += result.fails() ? 1 : 0;
        }
        return preview;
    }

private:
    enum class Circle : quint8 { Unknown, OnPath, Outside, Inside };

    [[nodiscard]] bool walked(int row) const { return m_walked[static_cast<size_t>(row)]; }
    [[nodiscard]] bool moves(int row) const { return walked(row) && !m_rows.at(row).fails(); }
    [[nodiscard]] bool moved(int row) const { return m_moved[static_cast<size_t>(row)]; }
    FolderState& folderOf(int row)
    {
        return m_folders[static_cast<size_t>(m_folderOf[static_cast<size_t>(row)])];
    }

    // How many rows ahead a table slot is asked for (NameTable::prefetch).
    static constexpr int LookAhead = 8;

    // Asks for the slot of a later row's name in its folder's table.
    void prefetchFor(int row, NameText RenameEntry::*field)
    {
        if (row >= m_count)
            return;
        const FolderState& state = folderOf(row);
        if (state.walkedRows > 0 && !state.foldsCase)
            state.holder.prefetch(m_list.at(row).*field);
    }

    void groupByFolder()
    {
        m_folderOf.resize(static_cast<size_t>(m_count));
        QHash<QString, int> byKey;
        NameText lastFolder;
        int lastIndex = -1;
        for (int row = 0; row < m_count; ++row) {
            const NameText& folder = m_list.at(row).folder;
            if (lastIndex < 0 || folder != lastFolder) {
                const QString text = folder.toString();
                const QString key = FolderKey(text);
                auto found = byKey.constFind(key);
                if (found == byKey.constEnd()) {
                    found = byKey.insert(key, static_cast<int>(m_folders.size()));
                    m_folders.emplace_back().folder = text;
                }
                lastFolder = folder;
                lastIndex = *found;
            }
            m_folderOf[static_cast<size_t>(row)] = lastIndex;
            ++m_folders[static_cast<size_t>(lastIndex)].rows;
            if (walked(row))
                ++m_folders[static_cast<size_t>(lastIndex)].walkedRows;
        }
    }

    // One listing per folder a walked row renames in; every listed file of
    // such a folder, walked or not, holds its name. The rows come first:
    // each claims its current name (the first row of a name only), and the
    // table keeps the row's own block for it. The listing then confirms the
    // claims of the files it holds, one name at a time, so a million listed
    // names never stand in memory beside the rows' copies of them.
    void readFolders()
    {
        for (FolderState& state : m_folders) {
            if (state.walkedRows == 0)
                continue;
            const FolderFacts facts = m_rules.factsOf(state.folder);
            state.listed = facts.listed;
            state.foldsCase = facts.foldsCase;
            state.longestName = facts.longestName;
            state.holder.reserve(state.rows + state.walkedRows);
        }
        for (int row = 0; row < m_count; ++row) {
            prefetchFor(row + LookAhead, &RenameEntry::currentName);
            FolderState& state = folderOf(row);
            if (state.walkedRows == 0)
                continue;
            if (walked(row))
                state.mayHoldLookAlikes = state.mayHoldLookAlikes || IsLoose(m_list.at(row).newName);
            NameText folded;
            int& holder = state.holder[state.keyOf(m_list.at(row).currentName, folded)];
            if (holder == Nobody) {
                holder = row + 1;
                // An unreadable folder is taken to hold exactly the listed files.
                m_holdsOwnName[static_cast<size_t>(row)] = !state.listed;
            }
        }
        for (FolderState& state : m_folders) {
            if (state.walkedRows > 0 && state.listed)
                readListing(state);
        }
        // A claim the listing did not confirm: the file is gone, and its
        // name is nobody's.
        for (int row = 0; row < m_count; ++row) {
            FolderState& state = folderOf(row);
            if (state.walkedRows == 0 || m_holdsOwnName[static_cast<size_t>(row)])
                continue;
            NameText folded;
            int* const holder = state.holder.find(state.keyOf(m_list.at(row).currentName, folded));
            if (holder && *holder == row + 1)
                *holder = Nobody;
        }
        for (FolderState& state : m_folders) {
            if (!state.mayHoldLookAlikes)
                state.unclaimed = {};
        }
    }

    void readListing(FolderState& state)
    {
        // Each name waits a few names in a ring while its slot is asked for
        // (NameTable::prefetch).
        std::array<NameText, LookAhead> waiting;
        qsizetype count = 0;
        m_rules.listNames(state.folder, [&](NameText name) {
            if (!state.foldsCase)
                state.holder.prefetch(name);
            NameText& place = waiting[static_cast<size_t>(count++ % LookAhead)];
            if (count > LookAhead)
                takeListed(state, place);
            place = std::move(name);
        });
        for (qsizetype i = std::max<qsizetype>(0, count - LookAhead); i < count; ++i)
            takeListed(state, waiting[static_cast<size_t>(i % LookAhead)]);
    }

    void takeListed(FolderState& state, const NameText& name)
    {
        state.mayHoldLookAlikes = state.mayHoldLookAlikes || IsLoose(name);
        NameText folded;
        int& holder = state.holder[state.keyOf(name, folded)];
        if (holder == Nobody) {
            holder = Unlisted;
        } else if (holder > 0 && !m_holdsOwnName[static_cast<size_t>(holder - 1)]) {
            const int row = holder - 1;
            m_holdsOwnName[static_cast<size_t>(row)] = true;
            if (!state.foldsCase || m_list.at(row).currentName == name)
                return; // the row stands for the listed name
            m_listedOtherwise[static_cast<size_t>(row)] = true;
        }
        state.unclaimed.append(name);
    }

    void refuseNames()
    {
        for (int row = 0; row < m_count; ++row) {
            if (!walked(row))
                continue;
            const RenameEntry& entry = m_list.at(row);
            const FolderState& state = folderOf(row); // its folder's text, not one more copy per row
            m_rows[row].problem =
                HasStrayBytes(entry.newName)
                    ? PreviewProblem::StrayBytes
                    : m_rules.nameProblem(state.folder, entry.currentName, entry.newName, state.longestName);
        }
    }

    void play()
    {
        if (!m_throughTemporaryNames) {
            for (int row = 0; row < m_count; ++row) {
                prefetchFor(row + LookAhead, &RenameEntry::newName);
                playStep(row, MoveStep::Direct);
            }
            return;
        }
        QList<PlannedMove> planned;
        QList<int> rows;
        for (int row = 0; row < m_count; ++row) {
            if (!moves(row))
                continue;
            const RenameEntry& entry = m_list.at(row);
            // Exact names, as the walk orders them: a disk that folds case
            // still refuses a→B beside b→A.
            planned.append(
                {QString::number(m_folderOf[static_cast<size_t>(row)]), entry.currentName, entry.newName});
            rows.append(row);
        }
        for (const OrderedStep& step : OrderMoves(planned))
            playStep(rows.at(step.move), step.step);
    }

    // One step of the walk: a row renamed, or its file parked under a
    // temporary name (its own name is free from then on) or taken from there.
    void playStep(int row, MoveStep step)
    {
        if (!moves(row))
            return;
        FolderState& state = folderOf(row);
        const RenameEntry& entry = m_list.at(row);
        NameText foldedFrom;
        NameText foldedTo;
        const NameText& from = state.keyOf(entry.currentName, foldedFrom);
        const NameText& to = state.keyOf(entry.newName, foldedTo);
        // A row that had its file's name before the walk still has it at
        // its turn: only a later row of the same name could move it away.
        if (step != MoveStep::FromTemporary && !m_holdsOwnName[static_cast<size_t>(row)] &&
            holderNow(state, from, state.holder.value(from, Nobody)) == Nobody) {
            m_rows[row].problem = PreviewProblem::SourceMissing;
            return;
        }
        if (from == to)
            return; // only the case changes: the file keeps its name in the table
        if (step == MoveStep::ToTemporary) {
            m_moved[static_cast<size_t>(row)] = true;
            return;
        }
        int& target = state.holder[to];
        const int holder = holderNow(state, to, target);
        if (holder != Nobody) {
            m_rows[row] = blocked(row, holder);
            return;
        }
        target = row + 1;
        m_moved[static_cast<size_t>(row)] = true;
    }

    // Two names that differ only in how their characters are composed look
    // the same, so a row is marked when the folder would hold such a pair
    // after the walk, its own new name one of them. Of two such names one at
    // least is not composed, so only the names that are not surely composed
    // (IsSurelyComposed) are normalized: in most folders none is.
    void markLookAlikes()
    {
        std::vector<std::vector<int>> renamed(m_folders.size());
        // The listings as they were read: the names no row stood for, and
        // the rows whose files were listed under their own names.
        std::vector<QList<NameText>> listings(m_folders.size());
        for (int row = 0; row < m_count; ++row) {
            const auto at = static_cast<size_t>(row);
            const auto folder = static_cast<size_t>(m_folderOf[at]);
            if (!m_folders[folder].mayHoldLookAlikes)
                continue;
            if (moves(row))
                renamed[folder].push_back(row);
            if (m_folders[folder].listed && m_holdsOwnName[at] && !m_listedOtherwise[at])
                listings[folder].append(m_list.at(row).currentName);
        }
        for (size_t folder = 0; folder < m_folders.size(); ++folder) {
            if (!renamed[folder].empty())
                markLookAlikesIn(listings[folder] + m_folders[folder].unclaimed, renamed[folder]);
        }
    }

    void markLookAlikesIn(const QList<NameText>& listing, const std::vector<int>& renamed)
    {
        const auto loose = IsLoose;
        // The folder's names after the walk.
        QSet<NameText> leaving;
        for (const int row : renamed)
            leaving.insert(m_list.at(row).currentName);
        QSet<NameText> after;
        for (const NameText& name : listing) {
            if (!leaving.contains(name))
                after.insert(name);
        }
        for (const int row : renamed)
            after.insert(m_list.at(row).newName);
        // Each loose name with its composed form; the form itself counts when
        // a file has it.
        QHash<QString, QSet<NameText>> namesOf; // composed form -> the names that have it
        for (const NameText& name : std::as_const(after)) {
            if (!loose(name))
                continue;
            const QString composed = ComposedName(name.toString());
            QSet<NameText>& names = namesOf[composed];
            names.insert(name);
            if (after.contains(NameText(composed)))
                names.insert(NameText(composed));
        }
        for (const int row : renamed) {
            const NameText& name = m_list.at(row).newName;
            const auto found =
                namesOf.constFind(loose(name) ? ComposedName(name.toString()) : name.toString());
            if (found != namesOf.constEnd() && found->size() > 1)
                m_rows[row] = {PreviewProblem::LookAlike};
        }
    }

    // The table's entry for `key`, unless it names a row that has moved away
    // from that name since.
    [[nodiscard]] int holderNow(const FolderState& state, const NameText& key, int entry) const
    {
        const int row = entry - 1;
        NameText folded;
        if (entry > 0 && moved(row) && state.keyOf(m_list.at(row).currentName, folded) == key)
            return Nobody;
        return entry;
    }

    [[nodiscard]] RowPreview blocked(int row, int holder)
    {
        if (holder == Unlisted) {
            const RenameEntry& entry = m_list.at(row);
            return {PreviewProblem::ExistsInFolder, KeptNameReason::None,
                    m_rules.isFolder(entry.folder, entry.newName)};
        }
        const int other = holder - 1;
        if (moved(other))
            return {PreviewProblem::SameNewName, {}, false, other};
        if (inCircle(row))
            return {PreviewProblem::Exchange};
        return {PreviewProblem::HeldByRow, {}, false, other};
    }

    // The walk uses no temporary names, so rows whose new names go round (a
    // swap, or a longer circle) each wait for the next one and none moves.
    // Following a waiting row to the row that has its new name comes back to
    // it exactly then. Rows on a circle never move, so the holders met are
    // still those from before the walk; answers are kept, so a long chain is
    // followed once, not once for every row that waits on it.
    bool inCircle(int start)
    {
        std::vector<int> path;
        int row = start;
        while (row >= 0 && m_circle[static_cast<size_t>(row)] == Circle::Unknown) {
            m_circle[static_cast<size_t>(row)] = Circle::OnPath;
            path.push_back(row);
            row = waitsFor(row);
        }
        const bool closes = row >= 0 && m_circle[static_cast<size_t>(row)] == Circle::OnPath;
        for (const int member : path) {
            if (member == row && closes)
                break;
            m_circle[static_cast<size_t>(member)] = Circle::Outside;
        }
        for (const int member : path) {
            if (m_circle[static_cast<size_t>(member)] == Circle::OnPath)
                m_circle[static_cast<size_t>(member)] = Circle::Inside;
        }
        return m_circle[static_cast<size_t>(start)] == Circle::Inside;
    }

    // The unmoved row, going to move, that has the new name of `row` (itself
    // such a row); -1 for none.
    int waitsFor(int row)
    {
        const FolderState& state = folderOf(row);
        NameText folded;
        const NameText& key = state.keyOf(m_list.at(row).newName, folded);
        const int holder = holderNow(state, key, state.holder.value(key, Nobody));
        const int other = holder - 1;
        return holder > 0 && other != row && moves(other) && !moved(other) ? other : -1;
    }

    const RenameList& m_list;
    FolderRules& m_rules;
    const bool m_throughTemporaryNames;
    const int m_count;
    std::vector<bool> m_walked;
    std::vector<bool> m_holdsOwnName; // the file of this row, and no other row, had its name at the start
    std::vector<bool> m_moved;
    std::vector<bool> m_listedOtherwise; // the listing gave the row's name in another case
    std::vector<Circle> m_circle;
    QList<RowPreview> m_rows;
    std::vector<int> m_folderOf;
    std::vector<FolderState> m_folders;
};

} // namespace

RenamePreview PreviewRenameAll(const RenameList& list, FolderRules& rules, bool throughTemporaryNames,
                               const std::atomic<bool>* stop)
{
    WalkPlay play(list, rules, throughTemporaryNames);
    for (int row = 0; row < list.count(); ++row) {
        const RenameEntry& entry = list.at(row);
        if (WalkTakesRow(entry.currentName, entry.newName, true))
            play.walkRow(row);
    }
    RenamePreview preview = play.run(stop);
    if (preview.rows.size() != list.count())
        return {}; // stopped
    // A row whose new name a template could not make is not renamed as asked.
    for (int row = 0; row < list.count(); ++row) {
        const KeptNameReason reason = list.rows().at(row).keptReason;
        RowPreview& shown = preview.rows[row];
        if (reason != KeptNameReason::None && !shown.marked()) {
            shown = {PreviewProblem::ValueMissing, reason};
            ++preview.failing;
        }
    }
    return preview;
}

RowPreview PreviewRenameSelected(const RenameList& list, FolderRules& rules)
{
    if (!list.hasSelection())
        return {};
    const int row = list.selectedRow();
    const RenameEntry& entry = list.at(row);
    if (!WalkTakesRow(entry.currentName, entry.newName, false))
        return {};
    WalkPlay play(list, rules, false);
    play.walkRow(row);
    return play.run().rows.at(row);
}

bool FolderRules::isFolder(const QString& folder, const QString& name)
{
    return IsExistingFolder(JoinPath(folder, name));
}

QString PreviewProblemText(const RowPreview& preview, const RenameList& list)
{
    // The list shows no row numbers: the other row is named by its file.
    const QString other = preview.otherRow >= 0 && preview.otherRow < list.count()
                              ? ShownName(list.at(preview.otherRow).currentName.toString())
                              : QString();
    switch (preview.problem) {
    case PreviewProblem::None:
        return {};
    case PreviewProblem::SameNewName:
        return QStringLiteral("「%1」も同じ名前にリネームされます").arg(other);
    case PreviewProblem::HeldByRow:
        return QStringLiteral("リストにある「%1」がこの名前のまま残ります").arg(other);
    case PreviewProblem::HeldByLaterRow:
        return QStringLiteral(
                   "リストにある「%1」がまだこの名前です。「%1」の行をこの行より上に移すと、リネームできます")
            .arg(other);
    case PreviewProblem::Exchange:
        return QStringLiteral(
            "名前の入れ替えになるため、リネームできません。「オプション」→「入れ替え・循環する"
            "名前もリネームする」をオンにすると、リネームできます");
    case PreviewProblem::ExistsInFolder:
        return preview.folderInTheWay
                   ? QStringLiteral("同じ名前のフォルダがすでにあります（上書きはしません）")
                   : QStringLiteral("同じ名前のファイルがすでにあります（上書きはしません）");
    case PreviewProblem::SourceMissing:
        return QStringLiteral("ファイルまたはフォルダが見つかりません");
    case PreviewProblem::TooLong:
        return QStringLiteral("名前が長すぎます");
    case PreviewProblem::Separator:
        return QStringLiteral("名前にフォルダの区切り文字は使えません");
    case PreviewProblem::ForbiddenCharacter:
        return QStringLiteral("名前に使えない文字が含まれています");
    case PreviewProblem::NotAName:
        return QStringLiteral("「.」と「..」は名前に使えません");
    case PreviewProblem::ReservedName:
        return QStringLiteral("CON、NUL、COM1 などの Windows の予約名は使えません");
    case PreviewProblem::TrailingDotOrSpace:
        return QStringLiteral("名前の最後にピリオドや空白は使えません");
    case PreviewProblem::ValueMissing:
        return KeptNameReasonText(preview.missing);
    case PreviewProblem::LookAlike:
        return QStringLiteral("見た目が同じ名前のファイルがあります（文字の合成方法だけが違います）");
    case PreviewProblem::StrayBytes:
        return QStringLiteral("文字化けした部分が残っています（右クリックの「文字化けを直す」で直せます）");
    }
    return {};
}

QString KeptNameReasonText(KeptNameReason reason)
{
    switch (reason) {
    case KeptNameReason::None:
        return {};
    case KeptNameReason::NoDateTaken:
        return QStringLiteral("撮影日時が記録されていません");
    case KeptNameReason::NoModificationTime:
        return QStringLiteral("更新日時を読み取れません");
    case KeptNameReason::NoTitle:
        return QStringLiteral("タイトルが記録されていません");
    case KeptNameReason::NoTrackNumber:
        return QStringLiteral("トラック番号が記録されていません");
    case KeptNameReason::NoArtist:
        return QStringLiteral("アーティストが記録されていません");
    }
    return {};
}

QString PreviewCountText(int failing)
{
    if (failing == PreviewPending)
        return QStringLiteral("リネームできるか確認中…");
    return failing > 0
               ? QStringLiteral("%1 件はリネームできません").arg(QLocale(QLocale::Japanese).toString(failing))
               : QString();
}
