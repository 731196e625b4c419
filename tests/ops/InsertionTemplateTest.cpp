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
        out += QLatin1Char('{') + QLatin1Char("STNADKUF"[static_cast<int>(token.kind)]);
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
        {"a<b>c<d", "a{D:b}c<d"}, {"<a><b<c>", "{D:a}<b<c>"},
        {"<撮影日:yyyy>_<更新日：hh>", "{K:撮影日:yyyy}_{U:更新日：hh}"},
        {"<撮影日|更新日:yy><撮影日><撮影日 :y>", "{F:撮影日|更新日:yy}{D:撮影日}{D:撮影日 :y}"}};
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

// A file's own dates come in the camera's clock time; a value the file does
// not record is reported, never silently left out.
TEST(ExpandInsertionTemplate, FileDatesAndMissingValues)
{
    using enum KeptNameReason;
    const QDateTime tokyo(QDate(2025, 8, 10), QTime(23, 30, 5), Qt::OffsetFromUTC, 9 * 3600);
    const QDateTime modified(QDate(2024, 1, 2), QTime(3, 4, 5));
    struct {
        const char *file, *text, *expected;
        KeptNameReason missing;
    } const cases[] = {
        {"a.jpg", "<撮影日:yyyymmdd_hhnnss>", "20250810_233005", None},
        {"a.jpg", "<更新日:yyyy-mm-dd hhnn>", "2024-01-02 0304", None},
        {"a.jpg", "<撮影日|更新日:yymmdd>", "250810", None},
        {"b.jpg", "<撮影日|更新日:yymmdd>", "240102", None},
        {"b.jpg", "<撮影日:yyyymmdd>_x", "_x", NoDateTaken},
        {"gone.jpg", "<撮影日|更新日:yy>", "", NoModificationTime},
        {"a.jpg", "<no> <title>", "07 ", NoTitle},
        {"b.jpg", "<artist><撮影日:y>", "", NoArtist}, // the first missing value is the reason
    };
    for (const auto& c : cases) {
        FakeDetails details;
        details.values = {{QStringLiteral("トラック番号"), QStringLiteral("7")}};
        details.taken = {{QStringLiteral("a.jpg"), tokyo}};
        details.modified = {{QStringLiteral("a.jpg"), modified}, {QStringLiteral("b.jpg"), modified}};
        KeptNameReason missing = None;
        EXPECT_EQ(ExpandInsertionTemplate(
                      ParseInsertionTemplate(QString::fromUtf8(c.text)), 1, QStringLiteral("/p"),
                      QString::fromUtf8(c.file), [] { return kNow; }, details, kJapanese, &missing),
                  QString::fromUtf8(c.expected))
            << c.text;
        EXPECT_EQ(missing, c.missing) << c.text;
    }
    // Each file's date is read once however many tokens want it.
    FakeDetails details;
    (void)ExpandInsertionTemplate(
        ParseInsertionTemplate(QStringLiteral("<撮影日:yy><撮影日|更新日:mm>")), 1, QStringLiteral("/p"),
        QStringLiteral("a.jpg"), [] { return kNow; }, details, kJapanese);
    EXPECT_EQ(details.asked, QStringList{QStringLiteral("a.jpg:taken")});
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
