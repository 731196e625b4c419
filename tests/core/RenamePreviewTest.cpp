#include "core/RenamePreview.h"

#include "core/Paths.h"
#include "tests/support/NativeForms.h"
#include "tests/support/QtPrinters.h"

#include <QHash>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// Folders in memory holding the rows' files and a case's other files; names
// longer than 20 characters are too long.
class FakeRules final : public FolderRules {
public:
    struct Folder {
        FolderFacts facts;
        QList<NameText> names;
    };
    QHash<QString, Folder> folders;
    QStringList listed;

    FolderFacts factsOf(const QString& folder) override { return folderAt(folder).facts; }
    void listNames(const QString& folder, const std::function<void(NameText)>& eachName) override
    {
        listed.append(folder);
        for (const NameText& name : folderAt(folder).names)
            eachName(name);
    }
    Folder folderAt(const QString& folder) const
    {
        return folders.value(folder.endsWith(NativeSeparator()) ? folder.chopped(1) : folder);
    }
    PreviewProblem nameProblem(const QString&, const NameText&, const NameText& newName, int longest) override
    {
        return longest > 0 && newName.size() > longest ? PreviewProblem::TooLong : PreviewProblem::None;
    }
};

// Rows: "a>b" renames a to b in /d, "/e:a>b" in /e, "!a>b" names a file that
// is not there. Outcomes: "-" renamed, "same1", "held2", "later2" (the other
// row, from 1), "swap", "exists", "missing", "long", "look" (a look-alike).
struct PreviewCase {
    // others: files in /d that no row stands for
    const char *name, *rows, *outcomes, *others = "";
    bool foldsCase = false;
    const char* unlisted = ""; // a folder that cannot be listed
    bool exchange = false;     // names that go round go through temporary names
};

QString Outcome(const RowPreview& row)
{
    static const char* const words[] = {"-", "same", "held", "later", "swap", "exists", "missing", "long"};
    const auto index = static_cast<size_t>(row.problem);
    const QString word = QString::fromLatin1(row.problem == PreviewProblem::LookAlike ? "look"
                                             : index < std::size(words)               ? words[index]
                                                                                      : "other");
    return row.otherRow >= 0 ? word + QString::number(row.otherRow + 1) : word;
}

TEST(Preview, PlaysTheWalkThrough)
{
    const PreviewCase cases[] = {
        {"listed_target_renamed_later", "a>b b>c", "later2 -"},
        {"listed_target_keeps_its_name", "a>b b> c>判別できませんでした d>c", "held2 - - held3"},
        {"three_cycle_and_a_row_into_it", "a>b b>c d>a c>a", "swap swap held1 swap"},
        {"tail_into_a_circle", "d>a a>b b>c c>a", "held2 swap swap swap"},
        {"over_long_name", "a>abcdefghijklmnopqrstu b>abcdefghijklmnopqrst", "long -"},
        {"case_only_is_another_name", "a>A b>a", "- -", "X"},
        {"case_folding_folder", "a>A b>x c>a", "- exists held1", "X", true},
        {"a_listing_longer_than_its_look_ahead", "a>o1 b>o9 c>x", "exists exists -",
         "o1 o2 o3 o4 o5 o6 o7 o8 o9"},
        {"same_name_in_other_folders", "a>x /e:b>x /f/:c>x", "- - -"},
        {"one_folder_with_and_without_separator", "a>x /d/:b>x", "- same1"},
        {"the_root_from_a_path_and_from_a_scan", ":a>x /:b>x", "- same1"},
        {"file_gone_or_listed_twice", "!a>x b>y b>z", "missing - missing"},
        {"unlisted_folder_knows_its_rows", "/u:b>d /u:a>b /u:c>b", "- - same2", "", false, "/u"},
        {"exchanged_circle_and_a_row_into_it", "a>b b>c d>a c>a", "- - same4 -", "", false, "", true},
        {"exchanged_tail_into_a_circle", "d>a a>b b>c c>a", "same4 - - -", "", false, "", true},
        {"exchanged_swap_beside_a_taken_name", "a>b b>a c>x", "- - exists", "x", false, "", true},
        // "ハ\u309A" is "パ" decomposed, "e\u0301" is "é".
        {"composed_and_decomposed_new_names", "a>パ b>ハ\u309A c>é d>e\u0301", "look look look look"},
        {"decomposed_file_in_the_folder", "a>パ.txt b>x", "look -", "ハ\u309A.txt"},
        {"a_file_composing_its_own_name", "ハ\u309A>パ b>ハ\u309A", "look look"},
        {"an_ascii_name_beside_the_kelvin_sign", "a>K b>k", "look -", "\u212A"},
        {"decomposed_files_move_away", "ハ\u309A>x b>パ ハ\u309A.txt>パ.txt", "- - -"},
        // The file is "ハ\u309AA", the row says "ハ\u309Aa": the same file where case folds.
        {"a_file_listed_in_another_case", "!ハ\u309Aa> b>パa", "- -", "ハ\u309AA", true},
    };
    for (const PreviewCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRules rules;
        RenameList list;
        for (const QString& rowText : QString::fromUtf8(c.rows).split(u' ')) {
            const QString folder = NativePath(rowText.contains(u':') ? rowText.section(u':', 0, 0) : U("/d"));
            const QString names = rowText.section(u':', -1);
            const QString current = names.section(u'>', 0, 0).remove(u'!');
            list.append(RenameEntry{current, names.section(u'>', 1), {}, folder, 0});
            FakeRules::Folder& shelf =
                rules.folders[folder.endsWith(NativeSeparator()) ? folder.chopped(1) : folder];
            shelf.facts = {true, 20, c.foldsCase};
            if (!names.startsWith(u'!'))
                shelf.names.append(current);
        }
        for (const QString& other : QString::fromUtf8(c.others).split(u' ', Qt::SkipEmptyParts))
            rules.folders[NativePath("/d")].names.append(other);
        rules.folders.remove(NativePath(c.unlisted));

        const RenamePreview preview = PreviewRenameAll(list, rules, c.exchange);
        QStringList outcomes;
        for (const RowPreview& row : preview.rows)
            outcomes.append(Outcome(row));
        EXPECT_EQ(outcomes.join(u' '), QString::fromUtf8(c.outcomes));
        EXPECT_EQ(preview.failing, outcomes.size() - outcomes.count(QStringLiteral("-")) -
                                       outcomes.count(QStringLiteral("look"))); // renamed all the same
        EXPECT_EQ(QSet<QString>(rules.listed.cbegin(), rules.listed.cend()).size(), rules.listed.size());
    }
    FakeRules rules; // a folder where nothing is renamed is not read
    RenameList list;
    list.append(RenameEntry{QStringLiteral("a"), {}, {}, QStringLiteral("/e"), 0});
    EXPECT_EQ(PreviewRenameAll(list, rules).failing, 0);
    EXPECT_TRUE(rules.listed.isEmpty());
    // A row a template left as it was tells why.
    list.append(
        RenameEntry{QStringLiteral("b"), {}, {}, QStringLiteral("/e"), 0, 0, KeptNameReason::NoDateTaken});
    const RenamePreview marked = PreviewRenameAll(list, rules);
    EXPECT_EQ(marked.failing, 1);
    EXPECT_EQ(PreviewProblemText(marked.rows.at(1), list), QStringLiteral("撮影日時が記録されていません"));
}

} // namespace
