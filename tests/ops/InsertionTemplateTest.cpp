#include "ops/InsertionTemplate.h"

#include "core/CommandError.h"
#include "core/Services.h"
#include "ops/ForbiddenCharacters.h"

#include "tests/support/FakeServices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QDateTime kNow(QDate(2024, 5, 6), QTime(7, 8, 9));

QString Expand(const QString& text, int row, FakeDetails& details)
{
    return ExpandInsertionTemplate(
        ParseInsertionTemplate(text), row, QStringLiteral("/music"), QStringLiteral("a.jpg"),
        [] { return kNow; }, details, kJapanese);
}

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
    struct {
        const char* text;
        std::optional<qint64> value;
    } const cases[] = {
        {"7", 7},
        {"001", 1},
        {"-1", -1},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"2.51", 3},
        {"2.50001", 3},
        {" 3 ", 3},
        {"\t3", 3},
        {".5", 0},
        {"5.", 5},
        {"-0.5", 0},
        {"32767.5", 32768},
        {"-32768.5", -32768},
        {"99999999999999999999", 1'000'000'000'000'000},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1e3", std::nullopt},
        {"1,000", std::nullopt},
        // Full-width forms, as a Japanese input method types them.
        {"１２", 12},
        {"－００１", -1},
        {"＋３", 3},
        {"\u22121", -1},
        {"２．５", 2},
        {"１２ａ", std::nullopt},
        {"- 1", std::nullopt},
        {"1.2.3", std::nullopt},
        {"+-1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundedDecimal(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';
}

TEST(ParseInsertionTemplate, SplitsLiteralsAndTokens)
{
    struct {
        const char* text;
        const char* described;
    } const cases[] = {
        {"", ""},
        {"IMG_<001>", "IMG_{S3,1:001}"},
        {"<>", "{D:}"},
        {"a<b>c<d>e", "a{D:b}c{D:d}e"},
        {"<-1>", "{S2,-1:-1}"},
        {"< 3 >", "{S3,3: 3 }"},
        {"<2.5>x", "{S3,2:2.5}x"},
        {"<Title><TITLE>", "{T:Title}{T:TITLE}"},
        {"<no>_<NO>", "{N:no}_{N:NO}"},
        {"< title >", "{D: title }"},
        {"<titles>", "{D:titles}"},
        {"x>y", "x>y"},
        {"<a>>b", "{D:a}>b"},
        // From a "<" without a ">" before the next "<" on, everything is literal.
        {"a<b", "a<b"},
        {"a<b>c<d", "a{D:b}c<d"},
        {"<<x>", "<<x>"},
        {"<a><b<c>", "{D:a}<b<c>"},
        {"<1><2><3><4><5><6><7><8>", "{S1,1:1}{S1,2:2}{S1,3:3}{S1,4:4}{S1,5:5}{S1,6:6}{S1,7:7}{S1,8:8}"},
        {"写真<yyyy>😀", "写真{D:yyyy}😀"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(ParseInsertionTemplate(QString::fromUtf8(c.text))), c.described) << c.text;
}

TEST(ExpandInsertionTemplate, ExpandsEachTokenForTheRow)
{
    FakeDetails details;
    details.values = {{QStringLiteral("タイトル"), QStringLiteral("曲<1>")},
                      {QStringLiteral("トラック番号"), QStringLiteral("7")}};
    struct {
        const char* text;
        int row;
        const char* expected; // before cleaning
    } const cases[] = {
        {"<98>", 3, "100"},
        {"< 3 >", 1, "003"},
        {"<2.5>", 1, "002"},
        {"<-32768>", 1, "-032768"}, // the sign counts in the width, not in the digits
        {"<-32768.5>", 2, "-00032767"},
        {"<32767>", 3, "32769"},
        {"<1><1><1><1><1><1><1>", 2, "2222222"},
        {"<Title>_x", 1, "曲<1>_x"},
        {"<artist>-", 1, "-"},
        {"x<y>z", 1, "x127z"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Expand(QString::fromUtf8(c.text), c.row, details), QString::fromUtf8(c.expected))
            << c.text << " row " << c.row;
}

TEST(ExpandInsertionTemplate, WritesNumericTracksWithTwoDigits)
{
    struct {
        const char* track;
        const char* expected;
    } const cases[] = {
        {"7", "07"},    {"12", "12"},
        {"123", "123"}, {"0", "00"},
        {"07", "07"},   {" 7", "07"},
        {"", ""},       {"3/12", "3/12"},
        {"A1", "A1"},   {"99999999999999999999", "99999999999999999999"},
    };
    for (const auto& c : cases) {
        FakeDetails details;
        details.values.insert(QStringLiteral("トラック番号"), QString::fromUtf8(c.track));
        EXPECT_EQ(Expand(QStringLiteral("<no>"), 1, details), QString::fromUtf8(c.expected)) << c.track;
    }
}

TEST(ExpandInsertionTemplate, RefusesSerialStartsOutsideSixteenBits)
{
    FakeDetails details;
    for (const char* text : {"<32768>", "<-32769>", "<32767.5>", "<99999999999999999999>", "a<1>b<40000>"}) {
        try {
            (void)Expand(QString::fromUtf8(text), 1, details);
            ADD_FAILURE() << text << " was accepted";
        } catch (const CommandError& error) {
            EXPECT_TRUE(error.reason().contains(QStringLiteral("連番"))) << error.reason().toStdString();
        }
    }
}

TEST(ComposeInsertedName, PlacesTheTextAroundTheName)
{
    struct {
        InsertionKind kind;
        const char* current;
        const char* text;
        const char* expected;
    } const cases[] = {
        {InsertionKind::Prepend, "a.jpg", "x_", "x_a.jpg"},
        {InsertionKind::Append, "archive.tar.gz", "_1", "archive.tar_1.gz"},
        {InsertionKind::Append, "README", "_1", "README_1"},
        {InsertionKind::Append, ".profile", "_1", "_1.profile"},
        {InsertionKind::Append, ".", "x", "x."},
        {InsertionKind::ChangeName, "a.jpg", "IMG", "IMG.jpg"},
        {InsertionKind::ChangeName, "README", "IMG", "IMG"},
        {InsertionKind::ChangeName, "a.jpg", "", ".jpg"},
        {InsertionKind::ChangeExtension, "a.jpg", "txt", "a.txt"},
        {InsertionKind::ChangeExtension, "README", "txt", "README.txt"},
        {InsertionKind::ChangeExtension, "a.jpg", "", "a."},
        {InsertionKind::ChangeExtension, "trailing.", "txt", "trailing.txt"},
        {InsertionKind::ChangeExtension, "", "txt", ".txt"},
        {InsertionKind::Append, "写真🎵.ＪＰＧ", "_1", "写真🎵_1.ＪＰＧ"},
        {InsertionKind::ChangeExtension, "写真🎵.ＪＰＧ", "jpg", "写真🎵.jpg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeInsertedName(c.kind, QString::fromUtf8(c.current), QString::fromUtf8(c.text)),
                  QString::fromUtf8(c.expected))
            << static_cast<int>(c.kind) << ' ' << c.current << " + " << c.text;
    }
}

// Random texts made of the characters that mean something to the parser and
// the date formatter, plus some that file names may not hold.
class RandomText {
public:
    explicit RandomText(unsigned seed)
        : m_random(seed)
    {}

    QString make(int maxLength, bool withBrackets)
    {
        // The blank-separated pieces, then the blank itself; brackets come first so they can be left out.
        static const QStringList alphabet =
            QString::fromUtf8(
                "< > 0 1 9 - + . \" \\ d m y h n s w q t c a A M P p / : * ? | x 日 😀 no title artist")
                .split(QLatin1Char(' '))
            << QStringLiteral(" ");
        const int first = withBrackets ? 0 : 2;
        std::uniform_int_distribution<int> length(0, maxLength);
        std::uniform_int_distribution<int> pick(first, int(alphabet.size()) - 1);
        QString text;
        for (int n = length(m_random); n > 0; --n)
            text += alphabet.at(pick(m_random));
        return text;
    }

    int row() { return std::uniform_int_distribution<int>(1, 100000)(m_random); }
    int count(int most) { return std::uniform_int_distribution<int>(0, most)(m_random); }

private:
    std::mt19937 m_random;
};

bool HasForbiddenCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar ch) { return QStringView(u"<>\\/:*?\"|").contains(ch); });
}

TEST(InsertionFuzz, RandomTextsNeverCrashAndCleanFully)
{
    RandomText random(20240506);
    FakeDetails details;
    details.values = {{QStringLiteral("タイトル"), QStringLiteral("T<i>t:l?e")},
                      {QStringLiteral("トラック番号"), QStringLiteral("7")},
                      {QStringLiteral("アーティスト"), QStringLiteral("A|B")}};
    const DateLocale locale(kJapanese);
    const InsertionClock clock = [] { return kNow; };

    for (int round = 0; round < 5000; ++round) {
        const QString text = random.make(40, true);
        const InsertionTemplate insertion = ParseInsertionTemplate(text);
        QString expanded;
        try {
            expanded = ExpandInsertionTemplate(insertion, random.row(), QStringLiteral("/d"),
                                               QStringLiteral("f.mp3"), clock, details, locale);
        } catch (const CommandError&) {
            const bool outOfRange =
                std::any_of(insertion.tokens.begin(), insertion.tokens.end(), [](const auto& t) {
                    return t.kind == InsertionTokenKind::Serial &&
                           (t.start < kSerialStartMin || t.start > kSerialStartMax);
                });
            EXPECT_TRUE(outOfRange) << text.toStdString();
            continue;
        }
        const QString cleaned = ReplaceForbiddenCharacters(expanded);
        EXPECT_FALSE(HasForbiddenCharacter(cleaned)) << text.toStdString() << " -> " << cleaned.toStdString();
        if (!text.contains(QLatin1Char('<'))) {
            EXPECT_EQ(expanded, text);
        }
    }
}

TEST(InsertionFuzz, LiteralsAroundTokensComeThroughUnchanged)
{
    RandomText random(7);
    FakeDetails details;
    const InsertionClock clock = [] { return kNow; };
    const DateLocale locale(kJapanese);

    for (int round = 0; round < 3000; ++round) {
        // Literals and tokens without brackets, so the parse is known in advance.
        const int tokens = random.count(8);
        QStringList literals{random.make(6, false)};
        QStringList tokenTexts;
        QString text = literals.first();
        for (int k = 0; k < tokens; ++k) {
            tokenTexts << random.make(6, false);
            literals << random.make(6, false);
            text += QLatin1Char('<') + tokenTexts.last() + QLatin1Char('>') + literals.last();
        }
        const InsertionTemplate insertion = ParseInsertionTemplate(text);
        ASSERT_EQ(insertion.leading, literals.first()) << text.toStdString();
        ASSERT_EQ(insertion.tokens.size(), tokens) << text.toStdString();
        for (int k = 0; k < tokens; ++k) {
            EXPECT_EQ(insertion.tokens.at(k).text, tokenTexts.at(k)) << text.toStdString();
            EXPECT_EQ(insertion.tokens.at(k).literal, literals.at(k + 1)) << text.toStdString();
        }
        try {
            const QString expanded = ExpandInsertionTemplate(insertion, random.row(), QStringLiteral("/d"),
                                                             QStringLiteral("f"), clock, details, locale);
            EXPECT_TRUE(expanded.startsWith(literals.first())) << text.toStdString();
            EXPECT_TRUE(expanded.endsWith(literals.last())) << text.toStdString();
        } catch (const CommandError&) {
            // An out-of-range serial start; the other test checks that this is the only reason.
        }
    }
}

} // namespace
