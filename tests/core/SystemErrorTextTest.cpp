#include "core/SystemErrorText.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

TEST(SystemErrorText, NamesTheCauseInJapanese)
{
    const struct {
        QString system;
        const char* ours;
    } cases[] = {
        {QStringLiteral("Permission denied"), "アクセスする権限がありません"},
        {QStringLiteral("execvp: No such file or directory"), "ファイルまたはフォルダが見つかりません"},
        {qt_error_string(ENOSPC), "ドライブの空き容量が足りません"},
        {qt_error_string(EROFS), "書き込みできない（読み取り専用の）ドライブです"},
        {qt_error_string(EIO), "ドライブの読み書き中にエラーが起きました"},
        {QStringLiteral("Something odd"), "原因の分からないエラーです（詳細：Something odd）"},
        {QString(), "原因の分からないエラーです"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemErrorText(c.system), QString::fromUtf8(c.ours)) << c.system.toStdString();
}

TEST(SystemErrorText, FileAndProcessFailuresOfTheRealSystem)
{
    QTemporaryDir dir;
    QFile notExecutable(dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notExecutable.open(QIODevice::WriteOnly));
    notExecutable.close();

    QFile inMissingFolder(dir.filePath(QStringLiteral("gone/ReName.txt")));
    EXPECT_FALSE(inMissingFolder.open(QIODevice::WriteOnly));
    EXPECT_EQ(FileErrorText(inMissingFolder), QStringLiteral("ファイルまたはフォルダが見つかりません"));
    QFile folder(dir.path());
    EXPECT_FALSE(folder.open(QIODevice::WriteOnly));
    EXPECT_EQ(FileErrorText(folder), QStringLiteral("同じ名前のフォルダがあります"));

    const struct {
        QString program;
        const char* ours;
    } programs[] = {
        {QString(), "起動するプログラムが指定されていません"},
        {dir.filePath(QStringLiteral("no-such-editor")), "プログラムが見つかりません"},
        {notExecutable.fileName(), "プログラムとして実行する権限がありません"},
    };
    for (const auto& c : programs) {
        QProcess process;
        process.start(c.program, {});
        EXPECT_FALSE(process.waitForStarted());
        EXPECT_EQ(ProcessErrorText(process), QString::fromUtf8(c.ours)) << c.program.toStdString();
    }
}

TEST(SystemErrorText, ExceptionsKeepTheirTextOnlyAsDetail)
{
    EXPECT_EQ(ExceptionText(std::bad_alloc()), QStringLiteral("メモリが足りないため、処理を中断しました"));
    EXPECT_EQ(ExceptionText(std::out_of_range("vector::at")),
              QStringLiteral("予期しないエラーのため、処理を中断しました（詳細：vector::at）"));
}

} // namespace
