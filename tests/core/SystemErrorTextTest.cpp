#include "core/SystemErrorText.h"

#include "tests/support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#ifdef Q_OS_WIN
#include <winerror.h>
#endif

namespace {

TEST(SystemErrorText, NamesTheCauseInJapaneseAndKeepsUnknownTextsAsDetail)
{
#ifdef Q_OS_WIN
    // Qt words Windows' own codes, in the system's language.
    const QString denied = qt_error_string(ERROR_ACCESS_DENIED);
    const QString missing = qt_error_string(ERROR_PATH_NOT_FOUND);
#else
    const QString denied = QStringLiteral("Permission denied");
    const QString missing = QStringLiteral("No such file or directory");
#endif
    const struct {
        QString system;
        const char* ours;
    } cases[] = {
        {denied, "アクセスする権限がありません"},
        {QStringLiteral("execvp: ") + missing, "ファイルまたはフォルダが見つかりません"},
        {QStringLiteral("Something odd"), "原因の分からないエラーです。詳細：Something odd"},
        {QString(), "原因の分からないエラーです"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemErrorText(c.system), QString::fromUtf8(c.ours)) << c.system.toStdString();
    EXPECT_EQ(ExceptionText(std::bad_alloc()), QStringLiteral("メモリが足りないため、処理を中断しました"));
    EXPECT_EQ(ExceptionText(std::out_of_range("vector::at")),
              QStringLiteral("予期しないエラーのため、処理を中断しました。詳細：vector::at"));
}

TEST(SystemErrorText, FileAndProcessFailuresOfTheRealSystem)
{
    QTemporaryDir dir;
    const QString notExecutable = dir.filePath(QStringLiteral("notes.txt"));
    WriteBytes(notExecutable, "text");
    QFile inMissingFolder(dir.filePath(QStringLiteral("gone/ReName.txt")));
    EXPECT_FALSE(inMissingFolder.open(QIODevice::WriteOnly));
    EXPECT_EQ(FileErrorText(inMissingFolder), QStringLiteral("ファイルまたはフォルダが見つかりません"));

    const struct {
        QString program;
        const char* ours;
    } programs[] = {
        {QString(), "起動するプログラムが指定されていません"}, // Qt: "No program defined"
        {dir.filePath(QStringLiteral("no-such-editor")), "プログラムが見つかりません"},
#ifdef Q_OS_WIN
        {notExecutable, "実行できる形式のファイルではありません"}, // what runs is told by its form
#else
        {notExecutable, "プログラムとして実行する権限がありません"},
#endif
    };
    for (const auto& c : programs) {
        QProcess process;
        process.start(c.program, {});
        EXPECT_FALSE(process.waitForStarted());
        EXPECT_EQ(ProcessErrorText(process), QString::fromUtf8(c.ours)) << c.program.toStdString();
    }
}

} // namespace
