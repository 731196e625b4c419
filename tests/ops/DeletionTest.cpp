#include "ops/Deletion.h"

#include "core/CommandError.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Counts how the list announces changes: a walk must be one notification.
class ChangeCounter : public RenameListObserver {
public:
    void beginAppend(int, int) override {}
    void endAppend() override {}
    void beginRemove(int, int) override {}
    void endRemove() override {}
    void beginReset() override {}
    void endReset() override {}
    void beginReorder() override {}
    void endReorder() override {}
    void rowsChanged(int first, int last) override { ranges.push_back({first, last}); }
    void selectionChanged(int) override {}
    std::vector<std::pair<int, int>> ranges;
};

struct Row {
    const char* current;
    const char* newName;
};

RenameList MakeList(const std::vector<Row>& rows) {
    RenameList list;
    for (const Row& row : rows)
        list.append(RenameEntry{U(row.current), U(row.newName), QString(), QStringLiteral("/tmp"), 0});
    return list;
}

std::vector<QString> NewNames(const RenameList& list) {
    std::vector<QString> names;
    for (const RenameEntry& entry : list.rows())
        names.push_back(entry.newName);
    return names;
}

std::vector<QString> Names(std::initializer_list<const char*> utf8) {
    std::vector<QString> names;
    for (const char* name : utf8)
        names.push_back(U(name));
    return names;
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

TEST_P(HeadDeletion, TakesTheFirstCharacter) {
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

TEST_P(TailDeletion, TakesTheLastCharacterOfTheBaseName) {
    const TailCase& c = GetParam();
    const std::optional<QString> result = WithoutLastBaseCharacter(U(c.input));
    if (c.expected == nullptr)
        EXPECT_FALSE(result.has_value()) << result.value_or(QString()).toStdString();
    else
        EXPECT_EQ(result.value_or(QStringLiteral("<nothing>")), U(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, TailDeletion, ::testing::ValuesIn(kTailCases), CaseName());

TEST(Deletion, VeryLongNamesLoseOneCharacter) {
    const QString base(5000, QChar(u'名'));
    EXPECT_EQ(WithoutFirstCharacter(base + QStringLiteral(".txt")).size(), 5003);
    EXPECT_EQ(WithoutLastBaseCharacter(base + QStringLiteral(".txt")), QString(4999, QChar(u'名')) + u".txt");
}

TEST(Deletion, AnyNewNameSetLooksAtEveryRow) {
    EXPECT_FALSE(AnyNewNameSet(RenameList()));
    EXPECT_FALSE(AnyNewNameSet(MakeList({{"a.txt", ""}, {"b.txt", ""}})));
    EXPECT_TRUE(AnyNewNameSet(MakeList({{"a.txt", ""}, {"b.txt", "c.txt"}})));
    EXPECT_EQ(LeftClickDeletionMode(MakeList({{"a.txt", ""}})), DeletionMode::Restart);
    EXPECT_EQ(LeftClickDeletionMode(MakeList({{"a.txt", ""}, {"b", "x"}})), DeletionMode::Continue);
}

enum class Click { Left, Right };
enum class End { Head, Tail };

void Press(RenameList& list, End end, Click click) {
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
    std::vector<Row> rows;
    End end;
    Click click;
    std::vector<QString> expected;
    const char* failureMentions; // nullptr: the walk succeeds
};

// clang-format off
const WalkCase kWalkCases[] = {
    {"continue from new names", {{"abc.txt", "X.txt"}, {"b.txt", ""}},
     End::Head, Click::Left, Names({".txt", ""}), nullptr},
    {"continue from a longer new name", {{"abc.txt", "2024_abc.txt"}},
     End::Head, Click::Left, Names({"024_abc.txt"}), nullptr},
    {"restart discards edits", {{"abc.txt", "X.txt"}, {"def.txt", ""}},
     End::Head, Click::Right, Names({"bc.txt", "ef.txt"}), nullptr},
    {"tail continue keeps empty rows empty", {{"abc.txt", "ab.txt"}, {"xyz.txt", ""}},
     End::Tail, Click::Left, Names({"a.txt", ""}), nullptr},
    {"right click skips a dot file", {{"abc.txt", "Q"}, {".profile", "keep"}, {"xyz.txt", "Q"}},
     End::Tail, Click::Right, Names({"ab.txt", "keep", "xy.txt"}), nullptr},
    {"left click stops at a dot file", {{"abc.txt", ""}, {".profile", ""}, {"xyz.txt", ""}},
     End::Tail, Click::Left, Names({"ab.txt", "", ""}), "2行目"},
    {"left click stops at a continued dot file", {{"abc.txt", "ab.txt"}, {"def.txt", ".txt"}, {"xyz.txt", "xy.txt"}},
     End::Tail, Click::Left, Names({"a.txt", ".txt", "xy.txt"}), ".txt"},
    {"empty list", {}, End::Tail, Click::Left, {}, nullptr},
};
// clang-format on

class DeletionWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(DeletionWalk, WritesTheRowsUpToAFailure) {
    const WalkCase& c = GetParam();
    RenameList list = MakeList(c.rows);
    ChangeCounter counter;
    list.setObserver(&counter);
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
    EXPECT_LE(counter.ranges.size(), 1u) << "one notification per walk";
}

INSTANTIATE_TEST_SUITE_P(Table, DeletionWalk, ::testing::ValuesIn(kWalkCases), CaseName());

TEST(DeletionWalk, RepeatedTailClicksStopAtTheExtension) {
    RenameList list = MakeList({{"abc.txt", ""}});
    std::vector<QString> seen;
    for (int i = 0; i < 3; ++i) {
        Press(list, End::Tail, Click::Left);
        seen.push_back(list.at(0).newName);
    }
    EXPECT_EQ(seen, Names({"ab.txt", "a.txt", ".txt"}));
    EXPECT_THROW(Press(list, End::Tail, Click::Left), CommandError);
    EXPECT_EQ(list.at(0).newName, U(".txt"));
}

} // namespace
