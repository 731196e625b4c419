#include "ops/SearchReplace.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/Utf8.h"

#include <gtest/gtest.h>

namespace {

constexpr MatchCase Exact = MatchCase::Exact;
constexpr MatchCase Ignore = MatchCase::IgnoreCase;
constexpr ReplaceScope Whole = ReplaceScope::WholeName;
constexpr ReplaceScope Spare = ReplaceScope::SpareExtension;

TEST(ReplaceNames, ReplaceEveryOccurrence)
{
    const struct {
        const char *name, *input, *search, *replacement;
        MatchCase matchCase;
        ReplaceScope scope;
        const char* expected;
    } cases[] = {
        {"ignore case keeps the rest", "PHOTO.JPEG", "jpeg", "jpg", Ignore, Whole, "PHOTO.jpg"},
        {"no overlap", "aaa.txt", "aa", "b", Exact, Whole, "ba.txt"},
        {"inserted text not searched", "banana.txt", "a", "aa", Exact, Whole, "baanaanaa.txt"},
        {"spare match across the dot", "a.txt", "a.t", "X", Exact, Spare, "a.txt"},
        {"empty search", "photo.jpeg", "", "X", Exact, Whole, "photo.jpeg"},
        {"regex characters are text", "a*b(1).txt", "(1)", "[2]", Exact, Whole, "a*b[2].txt"},
        {"surrogate pair letters fold", "𐐀𐐨x", "𐐨", "y", Ignore, Whole, "yyx"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceInName(U(c.input), U(c.search), U(c.replacement), c.matchCase, c.scope),
                  U(c.expected))
            << c.name;
    }
}

TEST(ReplaceInNames, RewritesEveryRowFromItsCurrentName)
{
    RenameList list;
    list.append(RenameEntry{U("txt_list.txt"), U("other"), U("old"), QStringLiteral("/tmp"), 3});
    list.append(RenameEntry{U("b.TXT"), QString(), QString(), QStringLiteral("/tmp"), 0});

    ReplaceInNames(list, QStringLiteral("txt"), QStringLiteral("log"), MatchCaseOfTick(true), Whole);
    EXPECT_EQ(list.at(0).newName, U("log_list.log"));
    EXPECT_EQ(list.at(1).newName, U("b.log"));
    EXPECT_EQ(list.at(0).previousName, U("old"));

    ReplaceInNames(list, QStringLiteral("txt"), QStringLiteral("log"), MatchCaseOfTick(false), Spare);
    EXPECT_EQ(list.at(0).newName, U("log_list.txt"));
    EXPECT_EQ(list.at(1).newName, U("b.TXT"));
}

} // namespace
