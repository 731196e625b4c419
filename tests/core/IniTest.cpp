#include "core/IniDocument.h"

#include "tests/support/NativeForms.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString kSection = QStringLiteral("Quorvane");

IniDocument Parsed(const char* utf8)
{
    IniDocument document;
    document.parse(QByteArrayView(utf8));
    return document;
}

TEST(ParseLeadingInt, ReadsTheLeadingNumber)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const std::pair<const char*, int> numbers[] = {
        {"-1", -1}, {"  \t7", 7}, {"+3", 3}, {"12abc", 12}, {"2147483647", kMax}, {"-2147483648", kMin}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ParseLeadingInt(U(text)), value) << '"' << text << '"';
    // Full-width digits are not digits here; a number beyond 32 bits is no number.
    for (const char* text : {"abc", "", "   ", "-", "+-1", "- 5", "１２", "2147483648", "-2147483649"})
        EXPECT_EQ(ParseLeadingInt(U(text)), std::nullopt) << '"' << text << '"';

    const IniDocument document = Parsed("[Quorvane]\nNeg=-1\nQuoted=\"5\"\nEmpty=\nWord=abc\n");
    const std::pair<const char*, int> values[] = {
        {"Neg", -1}, {"Quoted", 5}, {"Empty", 99}, {"Word", 0}, {"Missing", 99}};
    for (const auto& [key, value] : values)
        EXPECT_EQ(document.readInt(kSection, U(key), 99), value) << key;
}

TEST(IniDocument, FindsValuesAsTheProfileReaderDoes)
{
    const IniDocument document =
        Parsed("Stray=before any section\n; Comment=1\n[Other]\nShared=other\n"
               "[ quorvane ]\n  Spaced   =   a value  \nQuoted=\"  kept blanks  \"\n"
               "HalfQuoted=\"open\nLoneQuote=\"\nEquals=a=b=c\nTwice=first\nTWICE=second\n"
               "NoEquals\n[QUORVANE]\nLater=from the repeated section\n");
    // "section/key" and the value found; nullptr: none.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"Quorvane/spaced", "a value"}, {"QUORVANE/SPACED", "a value"}, {"Quorvane/Quoted", "  kept blanks  "},
        {"Quorvane/HalfQuoted", "\"open"}, {"Quorvane/LoneQuote", "\""}, {"Quorvane/Equals", "a=b=c"},
        {"Quorvane/Twice", "first"}, {"Quorvane/Later", "from the repeated section"}, {"Other/Shared", "other"},
        {"Quorvane/Shared", nullptr}, {"Quorvane/Stray", nullptr}, {"Quorvane/; Comment", nullptr},
        {"Quorvane/NoEquals", nullptr}, {"Missing/Spaced", nullptr}};
    // clang-format on
    for (const auto& [where, expected] : cases) {
        const QString section = U(where).section(u'/', 0, 0);
        const QString key = U(where).section(u'/', 1);
        EXPECT_EQ(document.value(section, key), expected ? std::optional(U(expected)) : std::nullopt)
            << where;
    }
}

TEST(IniDocument, ReadsBackEveryValueItWrote)
{
    // Line breaks cannot be stored and become blanks; every other value comes back as it was.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\エディタ\\editor.exe", nullptr}, {"", nullptr}, {"  leading and trailing  ", nullptr},
        {"\"quoted\"", nullptr}, {"\"", nullptr}, {"line one\nline two\r\n", "line one line two  "}};
    // clang-format on
    for (const auto& [value, readBack] : cases) {
        IniDocument written = Parsed("[Quorvane]\nBefore=1\n");
        written.setValue(kSection, QStringLiteral("Value"), U(value));
        const IniDocument reread = Parsed(written.toBytes().constData());
        const QString expected = U(readBack ? readBack : value);
        EXPECT_EQ(reread.value(kSection, QStringLiteral("Value")), expected) << value;
        EXPECT_EQ(written.value(kSection, QStringLiteral("Value")), expected) << value;
        // Nothing leaks into other keys or sections.
        EXPECT_EQ(reread.value(kSection, QStringLiteral("Before")), QStringLiteral("1")) << value;
    }
}

TEST(IniDocument, KeepsEverythingItDoesNotWrite)
{
    struct Case {
        const char* name;
        QByteArray before;
        const char *key, *value;
        QByteArray after;
    };
    const Case cases[] = {
        {"replace in place keeps comments and order",
         "\n; my settings\n\n[Quorvane]\nFoo=keep\nwinstate = 1\nBar=keep\n\n[Other]\nX=1\n", "WinState", "2",
         "\n; my settings\n\n[Quorvane]\nFoo=keep\nwinstate=2\nBar=keep\n\n[Other]\nX=1\n"},
        {"new key follows the last key of its section", "[Quorvane]\nFoo=1\n\n; about Other\n[Other]\nX=1\n",
         "Col01", "120", "[Quorvane]\nFoo=1\nCol01=120\n\n; about Other\n[Other]\nX=1\n"},
        {"new key in an empty section", "[Quorvane]\n[Other]\nX=1\n", "Top", "-1",
         "[Quorvane]\nTop=-1\n[Other]\nX=1\n"},
        {"new section at the end", "[Other]\nX=1", "Icon", "0", "[Other]\nX=1\n[Quorvane]\nIcon=0\n"},
        {"empty file takes the system's line ends", "", "Case", "1", NativeLines("[Quorvane]\nCase=1\n")},
        {"windows line ends and byte order mark", "\xEF\xBB\xBF[Quorvane]\r\nA=1\r\n[Other]\r\n", "B", "履歴",
         "\xEF\xBB\xBF[Quorvane]\r\nA=1\r\nB=履歴\r\n[Other]\r\n"},
        {"bytes that are not UTF-8 survive", "[Other]\nRaw=\xFF\xFE\x80\n[Quorvane]\nA=1\n", "A", "2",
         "[Other]\nRaw=\xFF\xFE\x80\n[Quorvane]\nA=2\n"},
    };
    for (const Case& c : cases) {
        IniDocument document;
        document.parse(c.before);
        document.setValue(kSection, U(c.key), U(c.value));
        EXPECT_EQ(document.toBytes(), c.after) << c.name;
    }
}

TEST(IniDocument, CutsLongValuesLikeTheReaderBuffer)
{
    IniDocument document;
    const QString longValue(40000, QLatin1Char('x'));
    document.setValue(kSection, QStringLiteral("Long"), longValue);
    EXPECT_EQ(document.readString(kSection, QStringLiteral("Long"), {}).size(), kIniMaxValueLength);

    // A surrogate pair that straddles the limit is dropped whole.
    QString emoji = QString(kIniMaxValueLength - 1, QLatin1Char('a')) + U("😀") + QStringLiteral("tail");
    document.setValue(kSection, QStringLiteral("Pair"), emoji);
    EXPECT_EQ(document.readString(kSection, QStringLiteral("Pair"), {}),
              QString(kIniMaxValueLength - 1, u'a'));

    document.setValue(kSection, QStringLiteral("Nul"),
                      QStringLiteral("before") + QChar(u'\0') + QStringLiteral("after"));
    EXPECT_EQ(document.readString(kSection, QStringLiteral("Nul"), {}), QStringLiteral("before"));
}

TEST(IniFile, FailedSaveReportsAndLeavesTheOldFile)
{
    QTemporaryDir dir;
    // A file name so long that no temporary name can be made beside it: the
    // save fails even for a user whom permissions do not stop.
    const QString longPath = dir.filePath(QString(250, QLatin1Char('s')));
    const QByteArray old("[Quorvane]\nW=4800\n");
    WriteBytes(longPath, old);

    IniDocument document;
    ASSERT_TRUE(document.load(longPath));
    document.setValue(kSection, QStringLiteral("W"), QStringLiteral("1"));
    EXPECT_FALSE(document.save(longPath));
    EXPECT_FALSE(document.errorString().isEmpty());
    EXPECT_EQ(ReadBytes(longPath), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A settings path that is a folder can be neither read nor replaced.
    const QString folderPath = dir.filePath(QStringLiteral("setting.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("setting.ini")));
    EXPECT_FALSE(document.load(folderPath));
    EXPECT_FALSE(document.save(folderPath));

    // A folder that does not exist is not created by a save.
    EXPECT_FALSE(document.save(dir.filePath(QStringLiteral("missing/setting.ini"))));
}

} // namespace
