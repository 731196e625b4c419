#include "editor/ExchangeFile.h"

#include "core/CommandError.h"
#include "tests/support/CaseName.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct LinesCase {
    const char* name;
    QByteArray bytes;
    ExchangeText::Status status;
    QStringList lines;
};

class SavedLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SavedLines, SplitAsEditorsSaveThem)
{
    const LinesCase& c = GetParam();
    const ExchangeText text = ExchangeLinesFromBytes(c.bytes);
    EXPECT_EQ(text.status, c.status);
    EXPECT_EQ(text.lines, c.lines);
}

const LinesCase kLinesCases[] = {
    {"crlf with final line end", "a.txt\r\nb.txt\r\nc.txt\r\n", ExchangeText::Status::Ok,
     Split("a.txt|b.txt|c.txt")},
    {"last line without end", "a.txt\r\nb.txt", ExchangeText::Status::Ok, Split("a.txt|b.txt")},
    {"lone lf", "a\nb\n", ExchangeText::Status::Ok, Split("a|b")},
    {"lone cr", "a\rb\r", ExchangeText::Status::Ok, Split("a|b")},
    {"empty line kept", "x\r\n\r\nz\r\n", ExchangeText::Status::Ok, Split("x||z")},
    {"only a line end", "\r\n", ExchangeText::Status::Ok, QStringList{QString()}},
    {"empty file", "", ExchangeText::Status::Ok, {}},
    {"byte order mark dropped",
     "\xEF\xBB\xBF"
     "a\r\n",
     ExchangeText::Status::Ok, Split("a")},
    {"second byte order mark is the name's",
     "\xEF\xBB\xBF\xEF\xBB\xBF"
     "a\r\n",
     ExchangeText::Status::Ok, QStringList{QChar(0xFEFF) + QStringLiteral("a")}},
    {"cr before crlf ends one line", "a\r\r\nb\r\r\n", ExchangeText::Status::Ok, Split("a|b")},
    {"two lone crs are two line ends", "a\r\rb", ExchangeText::Status::Ok, Split("a||b")},
    {"kanji full width emoji", "漢字.txt\r\nＡＢＣ１.txt\r\n😀.txt\r\n", ExchangeText::Status::Ok,
     Split("漢字.txt|ＡＢＣ１.txt|😀.txt")},
    {"shift jis is refused", "\x8A\xBF\x8E\x9A.txt\r\n", ExchangeText::Status::NotUtf8, {}},
};

INSTANTIATE_TEST_SUITE_P(Table, SavedLines, ::testing::ValuesIn(kLinesCases), CaseName());

TEST(ExchangeFileWrite, OneNamePerLineEndedByCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ReName.txt"));
    WriteExchangeFile(path, Split("a.txt|漢字 😀.txt"), false);
    EXPECT_EQ(ReadBytes(path), QByteArray("a.txt\r\n漢字 😀.txt\r\n"));
    // Rewritten, not appended, every time; with the mark when asked.
    WriteExchangeFile(path, Split("b"), true);
    EXPECT_EQ(ReadBytes(path), QByteArray("\xEF\xBB\xBF"
                                          "b\r\n"));
    EXPECT_EQ(ReadExchangeFile(path).lines, Split("b"));
    // A first name that starts with U+FEFF keeps it: a mark goes before it.
    const QStringList marked{QChar(0xFEFF) + QStringLiteral("x"), QStringLiteral("y")};
    WriteExchangeFile(path, marked, false);
    EXPECT_EQ(ReadExchangeFile(path).lines, marked);
}

TEST(ExchangeStampTest, KeepsTheFileSystemsFractionOfASecond)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ReName.txt"));
    EXPECT_FALSE(ExchangeStamp(path).has_value());
    WriteExchangeFile(path, Split("a"), false);

    const auto setTime = [&](qint64 msecs) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime::fromMSecsSinceEpoch(msecs), QFileDevice::FileModificationTime));
    };
    setTime(1'700'000'000'100);
    const auto stamp = ExchangeStamp(path);
    setTime(1'700'000'000'900);
    EXPECT_NE(ExchangeStamp(path), stamp) << "a save in the same second is a change";
}

// Names and their removal are tried by two real windows (EditorWindowsTest).
TEST(ExchangeFileClaimTest, ALinkInPlaceOfTheFileIsPassedOverAndNeverWritten)
{
    QTemporaryDir dir;
    const QString preferred = dir.filePath(QStringLiteral("ReName.txt"));
    const QString target = dir.filePath(QStringLiteral("elsewhere.txt"));
    WriteBytes(target, "precious");
    ASSERT_TRUE(QFile::link(target, preferred));
    ExchangeFileClaim claim;
    claim.claim(preferred);
    EXPECT_EQ(claim.path(), dir.filePath(QStringLiteral("ReName-2.txt")));
    EXPECT_THROW(WriteExchangeFile(preferred, Split("b"), false), CommandError);
    EXPECT_EQ(ReadBytes(target), QByteArray("precious"));
}

} // namespace
