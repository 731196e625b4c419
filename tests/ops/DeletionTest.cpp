#include "ops/Deletion.h"

#include "core/CommandError.h"

#include "tests/support/CaseName.h"
#include "tests/support/ChangeRecorder.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// Rows as {current name, new name}.
RenameList MakeList(const std::vector<std::pair<const char*, const char*>>& rows)
{
    RenameList list;
    for (const auto& [current, newName] : rows)
        list.append(RenameEntry{U(current), U(newName), QString(), QStringLiteral("/tmp"), 0});
    return list;
}

struct HeadCase {
    const char* name;
    const char* input;
    const char* expected;
};

const HeadCase kHeadCases[] = {
    {"plain", "abc.txt", "bc.txt"},
    {"leading dot goes", ".txt", "txt"},
    {"one character", "a", ""},
    {"empty stays empty", "", ""},
    {"surrogate pair as one", "🎵track.mp3", "track.mp3"},
    {"emoji sequence as one", "👨‍👩‍👧family.png", "family.png"},
    {"letter with combining mark", "e\xCC\x81lan", "lan"},
    {"kana with separate voiced mark", "\xE3\x82\xAB\xE3\x82\x99ki", "ki"},
};

class HeadDeletion : public ::testing::TestWithParam<HeadCase> {};

TEST_P(HeadDeletion, TakesTheFirstCharacter)
{
    const HeadCase& c = GetParam();
    EXPECT_EQ(WithoutFirstCharacter(U(c.input)), U(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, HeadDeletion, ::testing::ValuesIn(kHeadCases), CaseName());

struct TailCase {
    const char* name;
    const char* input;
    const char* expected; // nullptr: nothing may be deleted
};

const TailCase kTailCases[] = {
    {"keeps extension", "abc.txt", "ab.txt"},
    {"no dot", "README", "READM"},
    {"trailing dot stays", "abc.", "ab."},
    {"one character base leaves extension", "a.txt", ".txt"},
    {"only an extension", ".txt", nullptr},
    {"dot file", ".profile", nullptr},
    {"lone dot", ".", nullptr},
    {"two dots", "a.b.c", "a..c"},
    {"empty", "", ""},
    {"emoji before extension", "写真🎉.jpg", "写真.jpg"},
    {"full width dot is no extension", "ｆｉｌｅ．ｔｘｔ", "ｆｉｌｅ．ｔｘ"},
    {"text before a slash is kept", "x/ab.txt", "x/a.txt"},
};

class TailDeletion : public ::testing::TestWithParam<TailCase> {};

TEST_P(TailDeletion, TakesTheLastCharacterOfTheBaseName)
{
    const TailCase& c = GetParam();
    const std::optional<QString> result = WithoutLastBaseCharacter(U(c.input));
    if (c.expected == nullptr)
        EXPECT_FALSE(result.has_value()) << result.value_or(QString()).toStdString();
    else
        EXPECT_EQ(result.value_or(QStringLiteral("<nothing>")), U(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, TailDeletion, ::testing::ValuesIn(kTailCases), CaseName());

TEST(Deletion, VeryLongNamesLoseOneCharacter)
{
    const QString base(5000, QChar(u'名'));
    EXPECT_EQ(WithoutFirstCharacter(base + QStringLiteral(".txt")).size(), 5003);
    EXPECT_EQ(WithoutLastBaseCharacter(base + QStringLiteral(".txt")), QString(4999, QChar(u'名')) + u".txt");
}

TEST(Deletion, AnyNewNameSetLooksAtEveryRow)
{
    EXPECT_FALSE(AnyNewNameSet(RenameList()));
    EXPECT_FALSE(AnyNewNameSet(MakeList({{"a.txt", ""}, {"b.txt", ""}})));
    EXPECT_TRUE(AnyNewNameSet(MakeList({{"a.txt", ""}, {"b.txt", "c.txt"}})));
    EXPECT_EQ(LeftClickDeletionMode(MakeList({{"a.txt", ""}})), DeletionMode::Restart);
    EXPECT_EQ(LeftClickDeletionMode(MakeList({{"a.txt", ""}, {"b", "x"}})), DeletionMode::Continue);
}

enum class Click { Left, Right };
enum class End { Head, Tail };

void Press(RenameList& list, End end, Click click)
{
    if (click == Click::Right) {
        if (end == End::Head)
            DeleteFirstCharacter(list, DeletionMode::Restart);
        else
            DeleteLastCharacter(list, DeletionMode::Restart, FailingRow::Skip);
        return;
    }
    if (end == End::Head)
        DeleteFirstCharacter(list, LeftClickDeletionMode(list));
    else
        DeleteLastCharacter(list, LeftClickDeletionMode(list), FailingRow::StopWalk);
}

struct WalkCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> rows;
    End end;
    Click click;
    QStringList expected;
    const char* failureMentions; // nullptr: the walk succeeds
};

// clang-format off
const WalkCase kWalkCases[] = {
    {"continue from new names", {{"abc.txt", "X.txt"}, {"b.txt", ""}},
     End::Head, Click::Left, Split(".txt|"), nullptr},
    {"continue from a longer new name", {{"abc.txt", "2024_abc.txt"}},
     End::Head, Click::Left, Split("024_abc.txt"), nullptr},
    {"restart discards edits", {{"abc.txt", "X.txt"}, {"def.txt", ""}},
     End::Head, Click::Right, Split("bc.txt|ef.txt"), nullptr},
    {"tail continue keeps empty rows empty", {{"abc.txt", "ab.txt"}, {"xyz.txt", ""}},
     End::Tail, Click::Left, Split("a.txt|"), nullptr},
    {"right click skips a dot file", {{"abc.txt", "Q"}, {".profile", "keep"}, {"xyz.txt", "Q"}},
     End::Tail, Click::Right, Split("ab.txt|keep|xy.txt"), nullptr},
    {"left click stops at a dot file", {{"abc.txt", ""}, {".profile", ""}, {"xyz.txt", ""}},
     End::Tail, Click::Left, Split("ab.txt||"), "2 行目"},
    {"left click stops at a continued dot file", {{"abc.txt", "ab.txt"}, {"def.txt", ".txt"}, {"xyz.txt", "xy.txt"}},
     End::Tail, Click::Left, Split("a.txt|.txt|xy.txt"), ".txt"},
    {"empty list", {}, End::Tail, Click::Left, {}, nullptr},
};
// clang-format on

class DeletionWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(DeletionWalk, WritesTheRowsUpToAFailure)
{
    const WalkCase& c = GetParam();
    RenameList list = MakeList(c.rows);
    ChangeRecorder recorder;
    list.setObserver(&recorder);
    if (c.failureMentions == nullptr) {
        EXPECT_NO_THROW(Press(list, c.end, c.click));
    } else {
        try {
            Press(list, c.end, c.click);
            ADD_FAILURE() << "the walk should have stopped";
        } catch (const CommandError& error) {
            EXPECT_TRUE(error.reason().contains(U(c.failureMentions))) << error.reason().toStdString();
        }
    }
    EXPECT_EQ(NewNames(list), c.expected);
    EXPECT_LE(recorder.changes.size(), 1) << "one notification per walk";
}

INSTANTIATE_TEST_SUITE_P(Table, DeletionWalk, ::testing::ValuesIn(kWalkCases), CaseName());

TEST(DeletionWalk, RepeatedTailClicksStopAtTheExtension)
{
    RenameList list = MakeList({{"abc.txt", ""}});
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        Press(list, End::Tail, Click::Left);
        seen.append(list.at(0).newName);
    }
    EXPECT_EQ(seen, Split("ab.txt|a.txt|.txt"));
    EXPECT_THROW(Press(list, End::Tail, Click::Left), CommandError);
    EXPECT_EQ(list.at(0).newName, U(".txt"));
}

} // namespace
