#include "editor/ExchangeFile.h"

#include "core/CommandError.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ExchangeFileRead, SplitsLinesAsEditorsSaveThem)
{
    const std::pair<QByteArray, const char*> cases[] = {
        {"a\r\nb\nc\rd\r", "a|b|c|d"},   // a lone cr at the very end
        {"a\r\r\nb\r\rc\r\n", "a|b||c"}, // cr before crlf is one line end, two crs are two
        {"漢字.txt\r\n\r\n😀.txt\r\n", "漢字.txt||😀.txt"},
        {"\r\n", ""},
        {"", nullptr},
    };
    for (const auto& [bytes, lines] : cases) {
        const ExchangeText text = ExchangeLinesFromBytes(bytes);
        EXPECT_EQ(text.status, ExchangeText::Status::Ok);
        EXPECT_EQ(text.lines, Split(lines)) << bytes.toStdString();
    }
    // The first mark is the file's, a second one the name's.
    EXPECT_EQ(ExchangeLinesFromBytes("\xEF\xBB\xBF\xEF\xBB\xBFz").lines,
              QStringList{QStringLiteral("\uFEFFz")});
    EXPECT_EQ(ExchangeLinesFromBytes("\x8A\xBF\x8E\x9A.txt\r\n").status, ExchangeText::Status::NotUtf8);
}

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
    // A first name that starts with U+FEFF keeps it: a mark goes before it.
    const QStringList marked{QChar(0xFEFF) + QStringLiteral("x"), QStringLiteral("y")};
    WriteExchangeFile(path, marked, false);
    EXPECT_EQ(ReadExchangeFile(path).lines, marked);
    try {
        WriteExchangeFile(path, Split("a|b\nc"), false);
        ADD_FAILURE() << "a name with a line break was written";
    } catch (const CommandError& error) {
        EXPECT_TRUE(error.reason().startsWith(QStringLiteral("上から 2 行目")))
            << error.reason().toStdString();
    }
}

// Names and their removal are tried by two real windows (EditorWindowsTest).
TEST(ExchangeFileClaimTest, ALinkInPlaceOfTheFileIsPassedOverAndNeverWritten)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows makes symbolic links only with a privilege (Wine not at all); QFile::link makes "
                    "a shortcut, which is a plain file";
#endif
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
