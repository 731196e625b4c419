#include "ops/InsertionTemplate.h"

#include "core/CommandError.h"
#include "core/Services.h"

#include "tests/support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QDateTime kNow(QDate(2024, 5, 6), QTime(7, 8, 9));

// "leading{kind:text}literal...", kinds S T N A D, serials as {S<width>,<start>:text}.
std::string Describe(const InsertionTemplate& insertion)
{
    QString out = insertion.leading;
    for (const InsertionToken& token : insertion.tokens) {
        out += QLatin1Char('{') + QLatin1Char("STNAD"[static_cast<int>(token.kind)]);
        if (token.kind == InsertionTokenKind::Serial)
            out += QStringLiteral("%1,%2").arg(token.width).arg(token.start);
        out += QLatin1Char(':') + token.text + QLatin1Char('}') + token.literal;
    }
    return out.toStdString();
}

TEST(RoundedDecimal, AcceptsOnlyPlainDecimalsAndRoundsHalfToEven)
{
    // Full-width forms count as a Japanese input method types them.
    const std::pair<const char*, qint64> numbers[] = {
        {"-1", -1},       {"2.5", 2},      {"3.5", 4},     {"-2.5", -2},
        {"2.51", 3},      {" 3 ", 3},      {".5", 0},      {"5.", 5},
        {"－００１", -1}, {"\u22121", -1}, {"９．５", 10}, {"99999999999999999999", 1'000'000'000'000'000}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(RoundedDecimal(QString::fromUtf8(text)), value) << '"' << text << '"';
    for (const char* text : {"", "-", "1e3", "1.2.3", "- 1", "+-1"})
        EXPECT_EQ(RoundedDecimal(QString::fromUtf8(text)), std::nullopt) << '"' << text << '"';
}

TEST(ParseInsertionTemplate, SplitsLiteralsAndTokens)
{
    // From a "<" without a ">" before the next "<" on, everything is literal.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"IMG_<001>", "IMG_{S3,1:001}"}, {"<>", "{D:}"}, {"a<b>c<d>e", "a{D:b}c{D:d}e"},
        {"<2.5>x", "{S3,2:2.5}x"}, {"<Title><NO><artist>", "{T:Title}{N:NO}{A:artist}"},
        {"< title ><titles>", "{D: title }{D:titles}"}, {"x>y", "x>y"}, {"<a>>b", "{D:a}>b"},
        {"a<b>c<d", "a{D:b}c<d"}, {"<a><b<c>", "{D:a}<b<c>"}};
    // clang-format on
    for (const auto& [text, described] : cases)
        EXPECT_EQ(Describe(ParseInsertionTemplate(QString::fromUtf8(text))), described) << text;
}

TEST(ExpandInsertionTemplate, ExpandsEachTokenForTheRow)
{
    struct {
        const char* text;
        int row;
        // expected: before cleaning; nullptr: refused
        const char *track, *expected;
    } const cases[] = {
        {"<98>", 3, "", "100"},
        {"<-32768>", 1, "", "-032768"}, // the sign counts in the width, not in the digits
        {"<32767>", 3, "", "32769"},
        {"<32768>", 1, "", nullptr},
        {"<Title>_x", 1, "", "曲<1>_x"},
        // A numeric track gets two digits.
        {"<no>", 1, "7", "07"},
    };
    for (const auto& c : cases) {
        FakeDetails details;
        details.values = {{QStringLiteral("タイトル"), QStringLiteral("曲<1>")},
                          {QStringLiteral("トラック番号"), QString::fromUtf8(c.track)}};
        const InsertionTemplate insertion = ParseInsertionTemplate(QString::fromUtf8(c.text));
        const auto expand = [&] {
            return ExpandInsertionTemplate(
                insertion, c.row, QStringLiteral("/music"), QStringLiteral("a.jpg"), [] { return kNow; },
                details, kJapanese);
        };
        if (c.expected)
            EXPECT_EQ(expand(), QString::fromUtf8(c.expected)) << c.text << " row " << c.row;
        else
            EXPECT_THROW((void)expand(), CommandError) << c.text;
    }
}

TEST(ComposeInsertedName, PlacesTheTextAroundTheName)
{
    using enum InsertionKind;
    struct {
        InsertionKind kind;
        const char *current, *text, *expected;
    } const cases[] = {
        // The usual names come through the command's own table.
        {Append, "archive.tar.gz", "_1", "archive.tar_1.gz"},
        {Append, ".profile", "_1", "_1.profile"},
        {ChangeName, "README", "IMG", "IMG"},
        {ChangeExtension, "README", "txt", "README.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeInsertedName(c.kind, QString::fromUtf8(c.current), QString::fromUtf8(c.text)),
                  QString::fromUtf8(c.expected))
            << static_cast<int>(c.kind) << ' ' << c.current << " + " << c.text;
    }
}

} // namespace
