#include "core/RenamePreview.h"

#include "core/Paths.h"
#include "core/RenameWalk.h"

#include <QHash>

#include <vector>

namespace {

constexpr int NotListed = -1; // a file of the folder that no row stands for

// The same folder given with and without a trailing separator is one folder.
QString FolderKey(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(NativeSeparator()))
        folder.chop(1);
    return folder;
}

// One folder while the walk is played through: who has each name now.
struct FolderState {
    QString folder;      // as the first of its rows gives it
    bool needed = false; // some walked row renames in it
    bool listed = false;
    bool foldsCase = false;
    int longestName = 0;
    QHash<QString, int> holder; // name (as the file system compares it) -> row or NotListed

    [[nodiscard]] QString keyOf(const QString& name) const { return foldsCase ? name.toCaseFolded() : name; }
};

class WalkPlay {
public:
    WalkPlay(const RenameList& list, FolderRules& rules)
        : m_list(list)
        , m_rules(rules)
        , m_count(list.count())
        , m_walked(static_cast<size_t>(m_count))
        , m_rows(m_count)
    {}

    void walkRow(int row) { m_walked[static_cast<size_t>(row)] = true; }

    RenamePreview run()
    {
        groupByFolder();
        readFolders();
        refuseNames();
        markCircles();
        play();
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
    [[nodiscard]] bool walked(int row) const { return m_walked[static_cast<size_t>(row)]; }
    [[nodiscard]] bool moves(int row) const { return walked(row) && !m_rows.at(row).fails(); }
    [[nodiscard]] bool moved(int row) const { return m_moved[static_cast<size_t>(row)]; }
    FolderState& folderOf(int row)
    {
        return m_folders[static_cast<size_t>(m_folderOf[static_cast<size_t>(row)])];
    }

    void groupByFolder()
    {
        m_folderOf.resize(static_cast<size_t>(m_count));
        QHash<QString, int> byKey;
        QString lastFolder;
        int lastIndex = -1;
        for (int row = 0; row < m_count; ++row) {
            const QString folder = m_list.at(row).folder;
            if (lastIndex < 0 || folder != lastFolder) {
                const QString key = FolderKey(folder);
                auto found = byKey.constFind(key);
                if (found == byKey.constEnd()) {
                    found = byKey.insert(key, static_cast<int>(m_folders.size()));
                    m_folders.emplace_back().folder = folder;
                }
                lastFolder = folder;
                lastIndex = *found;
            }
            m_folderOf[static_cast<size_t>(row)] = lastIndex;
            if (walked(row))
                m_folders[static_cast<size_t>(lastIndex)].needed = true;
        }
    }

    // One listing per folder a walked row renames in; every listed file of
    // such a folder, walked or not, holds its name.
    void readFolders()
    {
        for (FolderState& state : m_folders) {
            if (!state.needed)
                continue;
            const FolderFacts facts = m_rules.factsOf(state.folder);
            state.listed = facts.listed;
            state.foldsCase = facts.foldsCase;
            state.longestName = facts.longestName;
            state.holder.reserve(facts.names.size());
            for (const QString& name : facts.names)
                state.holder.insert(state.keyOf(name), NotListed);
        }
        for (int row = 0; row < m_count; ++row) {
            FolderState& state = folderOf(row);
            if (!state.needed)
                continue;
            const QString key = state.keyOf(m_list.at(row).currentName);
            const auto found = state.holder.find(key);
            // An unreadable folder is taken to hold exactly the listed files.
            if (found != state.holder.end() ? *found == NotListed : !state.listed)
                state.holder.insert(key, row);
        }
    }

    void refuseNames()
    {
        for (int row = 0; row < m_count; ++row) {
            if (!walked(row))
                continue;
            const RenameEntry& entry = m_list.at(row);
            const FolderState& state = folderOf(row);
            m_rows[row].problem =
                m_rules.nameProblem(entry.folder, entry.currentName, entry.newName, state.longestName);
        }
    }

    // The walk uses no temporary names, so rows whose new names go round in a
    // circle each wait for the next one and none moves. Each moving row points
    // at the moving row whose file has its new name before the walk starts;
    // the rows on a circle of these pointers are the exchanges.
    void markCircles()
    {
        std::vector<int> next(static_cast<size_t>(m_count), -1);
        for (int row = 0; row < m_count; ++row) {
            if (!moves(row))
                continue;
            const FolderState& state = folderOf(row);
            const int holder = state.holder.value(state.keyOf(m_list.at(row).newName), NotListed);
            if (holder >= 0 && holder != row && moves(holder))
                next[static_cast<size_t>(row)] = holder;
        }
        m_inCircle.assign(static_cast<size_t>(m_count), false);
        std::vector<char> seen(static_cast<size_t>(m_count), 0); // 1 on the current path, 2 done
        std::vector<int> path;
        for (int start = 0; start < m_count; ++start) {
            path.clear();
            int row = start;
            while (row >= 0 && seen[static_cast<size_t>(row)] == 0) {
                seen[static_cast<size_t>(row)] = 1;
                path.push_back(row);
                row = next[static_cast<size_t>(row)];
            }
            if (row >= 0 && seen[static_cast<size_t>(row)] == 1) {
                for (auto it = path.rbegin(); it != path.rend(); ++it) {
                    m_inCircle[static_cast<size_t>(*it)] = true;
                    if (*it == row)
                        break;
                }
            }
            for (const int done : path)
                seen[static_cast<size_t>(done)] = 2;
        }
    }

    void play()
    {
        m_moved.assign(static_cast<size_t>(m_count), false);
        for (int row = 0; row < m_count; ++row) {
            if (!moves(row))
                continue;
            FolderState& state = folderOf(row);
            const RenameEntry& entry = m_list.at(row);
            const QString from = state.keyOf(entry.currentName);
            const QString to = state.keyOf(entry.newName);
            const auto source = state.holder.find(from);
            if (source == state.holder.end()) {
                m_rows[row].problem = PreviewProblem::SourceMissing;
                continue;
            }
            if (from != to) {
                const auto target = state.holder.constFind(to);
                if (target != state.holder.constEnd()) {
                    m_rows[row] = blocked(row, *target);
                    continue;
                }
                state.holder.erase(source);
                state.holder.insert(to, row);
            }
            m_moved[static_cast<size_t>(row)] = true;
        }
    }

    [[nodiscard]] RowPreview blocked(int row, int holder) const
    {
        if (holder == NotListed)
            return {PreviewProblem::ExistsInFolder, -1};
        if (moved(holder))
            return {PreviewProblem::SameNewName, holder};
        if (m_inCircle[static_cast<size_t>(row)])
            return {PreviewProblem::Exchange, -1};
        return {PreviewProblem::HeldByRow, holder};
    }

    const RenameList& m_list;
    FolderRules& m_rules;
    const int m_count;
    std::vector<bool> m_walked;
    QList<RowPreview> m_rows;
    std::vector<int> m_folderOf;
    std::vector<FolderState> m_folders;
    std::vector<bool> m_inCircle;
    std::vector<bool> m_moved;
};

} // namespace

RenamePreview PreviewRenameAll(const RenameList& list, FolderRules& rules)
{
    WalkPlay play(list, rules);
    for (int row = 0; row < list.count(); ++row) {
        const RenameEntry& entry = list.at(row);
        if (WalkTakesRow(entry.currentName, entry.newName, true))
            play.walkRow(row);
    }
    return play.run();
}

RowPreview PreviewRenameSelected(const RenameList& list, FolderRules& rules)
{
    if (!list.hasSelection())
        return {};
    const int row = list.selectedRow();
    const RenameEntry& entry = list.at(row);
    if (!WalkTakesRow(entry.currentName, entry.newName, false))
        return {};
    WalkPlay play(list, rules);
    play.walkRow(row);
    return play.run().rows.at(row);
}

QString PreviewProblemText(const RowPreview& preview)
{
    const int other = preview.otherRow + 1;
    switch (preview.problem) {
    case PreviewProblem::None:
        return {};
    case PreviewProblem::SameNewName:
        return QStringLiteral("同じ名前の行があります（%1 行目）").arg(other);
    case PreviewProblem::HeldByRow:
        return QStringLiteral("%1 行目のファイルがこの名前です").arg(other);
    case PreviewProblem::HeldByLaterRow:
        return QStringLiteral("%1 行目のファイルがまだこの名前です（%1 行目の方が後にリネームされます）")
            .arg(other);
    case PreviewProblem::Exchange:
        return QStringLiteral("入れ替えになるため変更できません");
    case PreviewProblem::ExistsInFolder:
        return QStringLiteral("フォルダに同じ名前のファイルがあります");
    case PreviewProblem::SourceMissing:
        return QStringLiteral("ファイルが見つかりません");
    case PreviewProblem::TooLong:
        return QStringLiteral("名前が長すぎます");
    case PreviewProblem::Separator:
        return QStringLiteral("名前にフォルダの区切り文字は使えません");
    case PreviewProblem::ForbiddenCharacter:
        return QStringLiteral("名前に使えない文字が含まれています");
    case PreviewProblem::NotAName:
        return QStringLiteral("「.」と「..」は名前に使えません");
    case PreviewProblem::ReservedName:
        return QStringLiteral("予約された名前は使えません");
    case PreviewProblem::TrailingDotOrSpace:
        return QStringLiteral("名前の最後にピリオドや空白は使えません");
    }
    return {};
}

QString PreviewCountText(int failing)
{
    return failing > 0 ? QStringLiteral("%1 件はリネームできません").arg(failing) : QString();
}
