#include "ops/SearchReplace.h"

#include "core/CommandError.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"
#include "tests/support/Utf8.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

constexpr MatchCase Exact = MatchCase::Exact;
constexpr MatchCase Ignore = MatchCase::IgnoreCase;
constexpr ReplaceScope Whole = ReplaceScope::WholeName;
constexpr ReplaceScope Spare = ReplaceScope::SpareExtension;

struct ReplaceCase {
    const char *name, *input, *search, *replacement;
    MatchCase matchCase;
    ReplaceScope scope;
    const char* expected;
};

// Plain text and regular expressions alike replace every occurrence, never
// text they inserted themselves.
TEST(ReplaceNames, PlainTextAndRegularExpressions)
{
    const ReplaceCase plain[] = {
        {"ignore case keeps the rest", "PHOTO.JPEG", "jpeg", "jpg", Ignore, Whole, "PHOTO.jpg"},
        {"no overlap", "aaa.txt", "aa", "b", Exact, Whole, "ba.txt"},
        {"inserted text not searched", "banana.txt", "a", "aa", Exact, Whole, "baanaanaa.txt"},
        {"spare match across the dot", "a.txt", "a.t", "X", Exact, Spare, "a.txt"},
        {"empty search", "photo.jpeg", "", "X", Exact, Whole, "photo.jpeg"},
        {"regex characters are text", "a*b(1).txt", "(1)", "[2]", Exact, Whole, "a*b[2].txt"},
        {"surrogate pair letters fold", "𐐀𐐨x", "𐐨", "y", Ignore, Whole, "yyx"},
    };
    const ReplaceCase regex[] = {
        {"numbered groups", "IMG_1234.jpg", R"((\w+)_(\d+))", R"(\2-$1)", Exact, Whole, "1234-IMG.jpg"},
        {"named groups", "2024-05-06.jpg", R"((?<y>\d+)-(?<m>\d+)-(?<d>\d+))", "${d}.${m}.${y}", Exact, Whole,
         "06.05.2024.jpg"},
        {"braced number, whole match", "ab.txt", "(a)b", "${1}0[$0]", Exact, Whole, "a0[ab].txt"},
        {"literal \\ and $", "a1", R"((\d))", R"($$\\$1\x$y)", Exact, Whole, R"(a$\1\x$y)"},
        {"a group left out gives nothing", "ab", "(x)?b", R"([\1])", Exact, Whole, "a[]"},
        {"case matters by default", "PHOTO.JPEG", "jpe?g", "jpg", Exact, Whole, "PHOTO.JPEG"},
        {"the case box", "PHOTO.JPEG", "jpe?g", "jpg", Ignore, Whole, "PHOTO.jpg"},
        {"spare the extension", "a.txt.txt", "txt$", "log", Exact, Spare, "a.log.txt"},
        {"no overlap, inserted text not searched", "aaa.txt", "aa|t", "at", Exact, Whole, "ata.atxat"},
        {"^ inserts once", "ab.txt", "^", "x", Exact, Whole, "xab.txt"},
        {"$ and \\b", "ab cd", R"($|\b)", "|", Exact, Whole, "|ab| |cd|"},
        {"empty matches step over a surrogate pair", "𝟘a", "x*", "-", Exact, Whole, "-𝟘-a-"},
        {"an empty match after a longer one", "baac", "a*", "X", Exact, Whole, "XbXXcX"},
        {"Japanese", "第12話.mp4", R"(第(\d+)話)", R"(EP\1)", Exact, Whole, "EP12.mp4"},
        {"Unicode digits", "第１２話.mp4", R"(第(\d+)話)", R"(EP\1)", Exact, Whole, "EP１２.mp4"},
        {"empty pattern", "ab", "", "x", Exact, Whole, "ab"},
        {"forbidden characters stay, as in the plain replace", "ab.txt", "b", "/", Exact, Whole, "a/.txt"},
    };
    for (const auto& c : plain) {
        EXPECT_EQ(ReplaceInName(U(c.input), U(c.search), U(c.replacement), c.matchCase, c.scope),
                  U(c.expected))
            << c.name;
    }
    for (const auto& c : regex) {
        EXPECT_EQ(RegexReplace(U(c.search), U(c.replacement), c.matchCase).replaceInName(U(c.input), c.scope),
                  U(c.expected))
            << c.name;
    }
}

// Japanese reasons with their place, whether or not Qt's own Japanese
// translations (which cover some of the library's messages) are loaded.
TEST(ReplaceNames, BadPatternsAndReferencesSayWhyInJapanese)
{
    const struct {
        const char *pattern, *replacement, *reason;
    } cases[] = {
        {R"(第(\d+話)", "", "。末尾：閉じかっこ「)」がありません。"},
        {"[ab", "", "。末尾：閉じかっこ「]」がありません。"},
        {"ab)c", "", "。3 文字目：対応する開きかっこ「(」のない「)」があります。"},
        {"𝟘)", "", "。2 文字目：対応する"}, // a surrogate pair is one character
        {"*a", "", "。1 文字目：繰り返しの記号"},
        {"a{3,2}", "", "。6 文字目：「{}」の回数の大小が逆です。"},
        {R"(a\y)", "", "。3 文字目：「\\」のあとに"},
        {"(?<1a>x)", "", "。4 文字目：グループ名が数字で始まっています。"},
        {"(?<a>x)(?<a>y)", "", "同じ名前のグループが二つあります"},
        {"(?Pz)", "", "。4 文字目：正規表現として読めない書き方があります。"},
        {"(a)(b)", R"(\5)", "置換文字列の「\\5」が指すグループが検索文字列にないため"},
        {"(?<y>a)", "${x}", "置換文字列の「${x}」が指す"},
        {"a", "${}", "置換文字列の「${}」が指す"},
        {"a", "${1", "置換文字列の「${」を閉じる「}」がないため"},
    };
    QTranslator japanese;
    const bool translated =
        japanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    for (const bool withTranslations : {false, true}) {
        if (withTranslations && !(translated && QCoreApplication::installTranslator(&japanese)))
            break;
        for (const auto& c : cases) {
            try {
                (void)RegexReplace(U(c.pattern), U(c.replacement), Exact);
                ADD_FAILURE() << c.pattern << " " << c.replacement;
            } catch (const CommandError& error) {
                EXPECT_TRUE(error.reason().contains(U(c.reason))) << error.reason().toStdString();
            }
        }
    }
    QCoreApplication::removeTranslator(&japanese);
}

TEST(ReplaceInNames, RewritesEveryRowFromItsCurrentName)
{
    RenameList list;
    list.append(RenameEntry{U("txt_list.txt"), U("other"), U("old"), QStringLiteral("/tmp"), 3});
    list.append(RenameEntry{U("b.TXT"), QString(), QString(), QStringLiteral("/tmp"), 0});

    ReplaceInNames(list, QStringLiteral("txt"), QStringLiteral("log"), MatchCaseOfTick(true), Whole);
    EXPECT_EQ(NewNames(list), Split("log_list.log|b.log"));
    EXPECT_EQ(list.at(0).previousName, U("old"));

    ReplaceInNames(list, QStringLiteral("txt"), QStringLiteral("log"), MatchCaseOfTick(false), Spare);
    EXPECT_EQ(NewNames(list), Split("log_list.txt|b.TXT"));

    // A bad pattern changes no row.
    EXPECT_THROW(ReplaceRegexInNames(list, QStringLiteral("("), QString(), Exact, Whole), CommandError);
    ReplaceRegexInNames(list, QStringLiteral("^(.)"), QStringLiteral("[\\1]"), Exact, Spare);
    EXPECT_EQ(NewNames(list).join(u'|'), U("[t]xt_list.txt|[b].TXT"));
}

} // namespace
