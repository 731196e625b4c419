#include "ops/SearchReplace.h"

#include "core/Paths.h"
#include "ops/NameParts.h"

#include "tests/support/CaseName.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Utf8.h"

#include <gtest/gtest.h>

namespace {

constexpr MatchCase Exact = MatchCase::Exact;
constexpr MatchCase Ignore = MatchCase::IgnoreCase;
constexpr ReplaceScope Whole = ReplaceScope::WholeName;
constexpr ReplaceScope Spare = ReplaceScope::SpareExtension;

struct ReplaceCase {
    const char* name;
    const char* input;
    const char* search;
    const char* replacement;
    MatchCase matchCase;
    ReplaceScope scope;
    const char* expected;
};

const ReplaceCase kReplaceCases[] = {
    {"exact match", "photo.jpeg", "jpeg", "jpg", Exact, Whole, "photo.jpg"},
    {"exact ignores other case", "PHOTO.JPEG", "jpeg", "jpg", Exact, Whole, "PHOTO.JPEG"},
    {"ignore case keeps the rest", "PHOTO.JPEG", "jpeg", "jpg", Ignore, Whole, "PHOTO.jpg"},
    {"no overlap", "aaa.txt", "aa", "b", Exact, Whole, "ba.txt"},
    {"inserted text not searched", "banana.txt", "a", "aa", Exact, Whole, "baanaanaa.txt"},
    {"whole name", "txt_list.txt", "txt", "log", Exact, Whole, "log_list.log"},
    {"spare extension", "txt_list.txt", "txt", "log", Exact, Spare, "log_list.txt"},
    {"spare two dots", "archive.tar.gz", ".tar", "", Exact, Spare, "archive.gz"},
    {"spare dot file", ".profile", "pro", "X", Exact, Spare, ".profile"},
    {"spare dot file empty search", ".profile", "", "X", Exact, Spare, ".profile"},
    {"spare without dot", "README", "ME", "", Exact, Spare, "READ"},
    {"spare match across the dot", "a.txt", "a.t", "X", Exact, Spare, "a.txt"},
    {"spare lone dot", ".", ".", "X", Exact, Spare, "."},
    {"spare keeps text before a slash", "x/y.txt", "x", "z", Exact, Spare, "z/y.txt"},
    {"empty search", "photo.jpeg", "", "X", Exact, Whole, "photo.jpeg"},
    {"empty replacement deletes", "a-b-c.txt", "-", "", Exact, Whole, "abc.txt"},
    {"replacement empties the name", "abc", "abc", "", Exact, Whole, ""},
    {"regex characters are text", "a*b(1).txt", "(1)", "[2]", Exact, Whole, "a*b[2].txt"},
    {"empty name", "", "a", "b", Ignore, Whole, ""},
    {"one character name", "a", "A", "b", Ignore, Whole, "b"},
    {"kana are not folded", "カナ.txt", "かな", "X", Ignore, Whole, "カナ.txt"},
    {"full width letters fold", "ＡＢＣ.txt", "ａｂｃ", "x", Ignore, Whole, "x.txt"},
    {"full and half width differ", "ＡＢＣ.txt", "ABC", "x", Ignore, Whole, "ＡＢＣ.txt"},
    {"capital sharp s folds", "STRAẞE", "ß", "ss", Ignore, Whole, "STRAssE"},
    {"surrogate pair letters fold", "𐐀𐐨x", "𐐨", "y", Ignore, Whole, "yyx"},
    {"emoji", "🎵song🎵.mp3", "🎵", "♪", Exact, Whole, "♪song♪.mp3"},
    {"combining marks are not normalized", "cafe\xCC\x81", "café", "X", Exact, Whole, "cafe\xCC\x81"},
};

class ReplaceNames : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceNames, ReplaceEveryOccurrence)
{
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceInName(U(c.input), U(c.search), U(c.replacement), c.matchCase, c.scope), U(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, ReplaceNames, ::testing::ValuesIn(kReplaceCases), CaseName());

TEST(ReplaceNames, VeryLongNames)
{
    const QString name = QString(50000, QChar(u'a')) + QStringLiteral(".txt");
    EXPECT_EQ(ReplaceInName(name, QStringLiteral("A"), QStringLiteral("bb"), Ignore, Spare),
              QString(100000, QChar(u'b')) + QStringLiteral(".txt"));
}

// The extension the popup item spares is the one the path functions find.
TEST(ReplaceNames, SparedExtensionIsThatOfThePathFunctions)
{
    for (const char* utf8 :
         {"archive.tar.gz", "README", ".bashrc", "trailing.", ".", "", "写真.ＪＰＧ", "a.b"}) {
        const QString name = U(utf8);
        const NameParts parts = SplitName(name);
        EXPECT_EQ(parts.base, BaseNameOf(name, QLatin1Char('/'))) << utf8;
        EXPECT_EQ(parts.dotExtension, DotExtensionOf(name)) << utf8;
        EXPECT_EQ(parts.base + parts.dotExtension, name) << utf8;
    }
}

TEST(ReplaceInNames, RewritesEveryRowFromItsCurrentName)
{
    RenameList list;
    list.append(RenameEntry{U("txt_list.txt"), U("other"), U("old"), QStringLiteral("/tmp"), 3});
    list.append(RenameEntry{U("b.TXT"), QString(), QString(), QStringLiteral("/tmp"), 0});
    list.setSelectedRow(1);

    ReplaceInNames(list, QStringLiteral("txt"), QStringLiteral("log"), MatchCaseOfTick(true), Whole);
    EXPECT_EQ(list.at(0).newName, U("log_list.log"));
    EXPECT_EQ(list.at(1).newName, U("b.log"));
    EXPECT_EQ(list.at(0).previousName, U("old"));

    ReplaceInNames(list, QStringLiteral("txt"), QStringLiteral("log"), MatchCaseOfTick(false),
                   ReplaceScope::SpareExtension);
    EXPECT_EQ(list.at(0).newName, U("log_list.txt"));
    EXPECT_EQ(list.at(1).newName, U("b.TXT"));

    ReplaceInNames(list, QString(), QStringLiteral("log"), Exact, Whole);
    EXPECT_EQ(list.at(0).newName, U("txt_list.txt"));

    RenameList empty;
    ReplaceInNames(empty, QStringLiteral("a"), QStringLiteral("b"), Exact, Whole);
    EXPECT_TRUE(empty.isEmpty());
}

} // namespace
