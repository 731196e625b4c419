#include "ops/Deletion.h"

#include "core/CommandError.h"

#include "tests/support/ChangeRecorder.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Rows as "current>new|current>new".
RenameList MakeList(const char* rows)
{
    RenameList list;
    for (const QString& row : Split(rows))
        list.append(
            RenameEntry{row.section(u'>', 0, 0), row.section(u'>', 1), {}, QStringLiteral("/tmp"), 0});
    return list;
}

TEST(Deletion, TakesOneWholeCharacterFromEitherEnd)
{
    struct {
        // withoutLast nullptr: nothing may be deleted
        const char *input, *withoutFirst, *withoutLast;
    } const cases[] = {
        {"abc.txt", "bc.txt", "ab.txt"},
        {"a.txt", ".txt", ".txt"},
        {".", "", nullptr},
        {"", "", ""},
        {"🎵track.mp3", "track.mp3", "🎵trac.mp3"},
        {"👨‍👩‍👧family.png", "family.png", "👨‍👩‍👧famil.png"},
        {"e\xCC\x81lan", "lan", "e\xCC\x81la"},
        {"写真🎉.jpg", "真🎉.jpg", "写真.jpg"},
        {"ｆｉｌｅ．ｔｘｔ", "ｉｌｅ．ｔｘｔ", "ｆｉｌｅ．ｔｘ"}, // a full-width dot is no extension
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithoutFirstCharacter(U(c.input)), U(c.withoutFirst)) << c.input;
        const std::optional<QString> last = WithoutLastBaseCharacter(U(c.input));
        if (c.withoutLast)
            EXPECT_EQ(last.value_or(QStringLiteral("<nothing>")), U(c.withoutLast)) << c.input;
        else
            EXPECT_FALSE(last.has_value()) << c.input;
    }
}

// A left click goes on from the new names when any is set and stops at a
// row it cannot shorten; a right click starts from the current names and
// skips such a row.
TEST(DeletionWalk, WritesTheRowsUpToAFailure)
{
    struct {
        const char *name, *rows;
        bool tail, right;
        // failureMentions "": the walk succeeds
        const char *expected, *failureMentions;
    } const cases[] = {
        // clang-format off
        {"continue from new names", "abc.txt>X.txt|b.txt>", false, false, ".txt|", ""},
        {"restart discards edits", "abc.txt>X.txt|def.txt>", false, true, "bc.txt|ef.txt", ""},
        {"restart when no new name is set", "abc.txt>|def.txt>", false, false, "bc.txt|ef.txt", ""},
        {"right click skips a dot file", "abc.txt>Q|.profile>keep|xyz.txt>Q", true, true, "ab.txt|keep|xy.txt", ""},
        {"left click stops at a dot file", "abc.txt>|.profile>|xyz.txt>", true, false, "ab.txt||", "2 行目"},
        {"left click stops at a continued dot file", "abc.txt>ab.txt|def.txt>.txt|xyz.txt>xy.txt", true, false,
         "a.txt|.txt|xy.txt", ".txt"},
        {"empty list", nullptr, true, false, nullptr, ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        RenameList list = MakeList(c.rows);
        ChangeRecorder recorder;
        list.setObserver(&recorder);
        const DeletionMode mode = c.right ? DeletionMode::Restart : LeftClickDeletionMode(list);
        QString failure;
        try {
            if (c.tail)
                DeleteLastCharacter(list, mode, c.right ? FailingRow::Skip : FailingRow::StopWalk);
            else
                DeleteFirstCharacter(list, mode);
        } catch (const CommandError& error) {
            failure = error.reason();
        }
        EXPECT_EQ(failure.isEmpty(), !*c.failureMentions) << c.name;
        EXPECT_TRUE(failure.contains(U(c.failureMentions))) << c.name << ": " << failure.toStdString();
        EXPECT_EQ(NewNames(list), Split(c.expected)) << c.name;
        EXPECT_LE(recorder.changes.size(), 1) << "one notification per walk";
    }
}

} // namespace
