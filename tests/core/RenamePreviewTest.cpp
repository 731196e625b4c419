#include "core/RenamePreview.h"

#include "core/RenameWalk.h"
#include "tests/support/CaseName.h"
#include "tests/support/QtPrinters.h"

#include <QHash>

#include <gtest/gtest.h>

namespace {

// Folders in memory: the rows' files plus `others`; names longer than 20
// bytes are refused. Counts the listings it is asked for.
class FakeRules final : public FolderRules {
public:
    QHash<QString, FolderFacts> folders;
    QStringList listed;

    FolderFacts factsOf(const QString& folder) override
    {
        listed.append(folder);
        return folders.value(folder.size() > 1 && folder.endsWith(QLatin1Char('/')) ? folder.chopped(1)
                                                                                    : folder);
    }
    PreviewProblem nameProblem(const QString&, const QString&, const QString& newName, int longest) override
    {
        return longest > 0 && newName.toUtf8().size() > longest ? PreviewProblem::TooLong
                                                                : PreviewProblem::None;
    }
};

// "a>b" renames a to b in /d; "/e:a>b" in /e; "!a>b" names a file that is not
// there. Expected outcomes: "" renamed, "same 1", "held 2", "later 2" (row
// numbers from 1), "swap", "exists", "missing", "long".
struct PreviewCase {
    const char* name;
    std::vector<const char*> rows;
    std::vector<const char*> others; // files in /d that no row stands for
    std::vector<const char*> expected;
    bool foldsCase = false;
    const char* unlisted = ""; // a folder that cannot be listed
};

class Preview : public ::testing::TestWithParam<PreviewCase> {};

QString Outcome(const RowPreview& row)
{
    const QString other = QString::number(row.otherRow + 1);
    switch (row.problem) {
    case PreviewProblem::None:
        return {};
    case PreviewProblem::SameNewName:
        return QStringLiteral("same ") + other;
    case PreviewProblem::HeldByRow:
        return QStringLiteral("held ") + other;
    case PreviewProblem::HeldByLaterRow:
        return QStringLiteral("later ") + other;
    case PreviewProblem::Exchange:
        return QStringLiteral("swap");
    case PreviewProblem::ExistsInFolder:
        return QStringLiteral("exists");
    case PreviewProblem::SourceMissing:
        return QStringLiteral("missing");
    case PreviewProblem::TooLong:
        return QStringLiteral("long");
    default:
        return QStringLiteral("other");
    }
}

TEST_P(Preview, PlaysTheWalkThrough)
{
    const PreviewCase& c = GetParam();
    FakeRules rules;
    RenameList list;
    for (const char* spec : c.rows) {
        QString text = QString::fromUtf8(spec);
        const bool missing = text.startsWith(QLatin1Char('!'));
        QString folder = QStringLiteral("/d");
        if (text.contains(QLatin1Char(':'))) {
            folder = text.section(QLatin1Char(':'), 0, 0);
            text = text.section(QLatin1Char(':'), 1);
        }
        const QString current = text.section(QLatin1Char('>'), 0, 0).remove(QLatin1Char('!'));
        list.append(RenameEntry{current, text.section(QLatin1Char('>'), 1), {}, folder, 0});
        FolderFacts& facts = rules.folders[folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder];
        facts = {true, facts.names, 20, c.foldsCase};
        if (!missing)
            facts.names.append(current);
    }
    for (const char* other : c.others)
        rules.folders[QStringLiteral("/d")].names.append(QString::fromUtf8(other));
    rules.folders.remove(QString::fromUtf8(c.unlisted));

    const RenamePreview preview = PreviewRenameAll(list, rules);
    QStringList outcomes;
    for (const RowPreview& row : preview.rows)
        outcomes.append(Outcome(row));
    QStringList expected;
    for (const char* outcome : c.expected)
        expected.append(QString::fromUtf8(outcome));
    EXPECT_EQ(outcomes, expected);
    EXPECT_EQ(preview.failing, static_cast<int>(expected.size() - expected.count(QString())));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Preview,
    ::testing::Values(
        PreviewCase{"duplicate_of_two", {"a>x", "b>x"}, {}, {"", "same 1"}},
        PreviewCase{"duplicate_of_three", {"a>x", "b>x", "c>x"}, {}, {"", "same 1", "same 1"}},
        PreviewCase{"held_by_a_row_that_fails", {"a>x", "b>c", "c>x"}, {}, {"", "held 3", "same 1"}},
        PreviewCase{"target_on_disk", {"a>x", "b>y"}, {"x"}, {"exists", ""}},
        PreviewCase{"listed_target_renamed_earlier", {"b>c", "a>b"}, {}, {"", ""}},
        PreviewCase{"listed_target_renamed_later", {"a>b", "b>c"}, {}, {"later 2", ""}},
        PreviewCase{"listed_target_keeps_its_name",
                    {"a>b", "b>", "c>判別できませんでした", "d>c"},
                    {},
                    {"held 2", "", "", "held 3"}},
        PreviewCase{"swap", {"a>b", "b>a"}, {}, {"swap", "swap"}},
        PreviewCase{"three_cycle_and_a_row_into_it",
                    {"a>b", "b>c", "d>a", "c>a"},
                    {},
                    {"swap", "swap", "held 1", "swap"}},
        PreviewCase{
            "tail_into_a_circle", {"d>a", "a>b", "b>c", "c>a"}, {}, {"held 2", "swap", "swap", "swap"}},
        PreviewCase{"chain_in_walk_order", {"c>d", "b>c", "a>b"}, {}, {"", "", ""}},
        PreviewCase{
            "over_long_name", {"a>abcdefghijklmnopqrstu", "b>abcdefghijklmnopqrst"}, {}, {"long", ""}},
        PreviewCase{"case_only_is_another_name", {"a>A", "b>a"}, {"X"}, {"", ""}},
        PreviewCase{"case_folding_folder", {"a>A", "b>x"}, {"X"}, {"", "exists"}, true},
        PreviewCase{"same_name_in_other_folders", {"a>x", "/e:b>x", "/f/:c>x"}, {}, {"", "", ""}},
        PreviewCase{"one_folder_with_and_without_separator", {"a>x", "/d/:b>x"}, {}, {"", "same 1"}},
        PreviewCase{"file_gone_or_listed_twice", {"!a>x", "b>y", "b>z"}, {}, {"missing", "", "missing"}},
        PreviewCase{"unlisted_folder_still_knows_its_rows",
                    {"/u:b>d", "/u:a>b", "/u:c>b"},
                    {},
                    {"", "", "same 2"},
                    false,
                    "/u"}),
    CaseName());

TEST(Preview, ListsEachFolderOnceAndOnlyWhereRowsMove)
{
    FakeRules rules;
    RenameList list;
    for (int i = 0; i < 50; ++i)
        list.append(RenameEntry{
            QString::number(i), QStringLiteral("n") + QString::number(i), {}, QStringLiteral("/d"), 0});
    list.append(RenameEntry{QStringLiteral("still"), QString(), {}, QStringLiteral("/quiet"), 0});
    (void)PreviewRenameAll(list, rules);
    EXPECT_EQ(rules.listed, QStringList{QStringLiteral("/d")});
}

TEST(Preview, SelectedRowAloneMovesAmongUnmovedFiles)
{
    FakeRules rules;
    rules.folders[QStringLiteral("/d")] = {
        true, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 20, false};
    RenameList list;
    list.appendAll({RenameEntry{QStringLiteral("a"), QStringLiteral("x"), {}, QStringLiteral("/d"), 0},
                    RenameEntry{QStringLiteral("b"), QStringLiteral("x"), {}, QStringLiteral("/d"), 0},
                    RenameEntry{QStringLiteral("c"), QStringLiteral("a"), {}, QStringLiteral("/d"), 0}});
    EXPECT_FALSE(PreviewRenameSelected(list, rules).fails()); // nothing selected
    list.setSelectedRow(1);
    EXPECT_FALSE(PreviewRenameSelected(list, rules).fails()); // row 1 does not move first
    list.setSelectedRow(2);
    EXPECT_EQ(PreviewRenameSelected(list, rules), (RowPreview{PreviewProblem::HeldByRow, 0}));
}

} // namespace
