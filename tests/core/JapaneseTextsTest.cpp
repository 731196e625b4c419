// Every Japanese text in the program's sources, read from its string
// literals, and the texts built at run time from the system's answers: no
// English words beyond a few names, half-width digits, "%1 行目" / "%1 件"
// spaced alike everywhere, no parentheses inside parentheses, and no row
// numbers where the user sees no rows.
#include "core/CaseStepName.h"
#include "core/FileTrust.h"
#include "core/JournalRecovery.h"
#include "core/NameBytes.h"
#include "core/RenamePreview.h"
#include "core/RenameWalk.h"
#include "core/SystemErrorText.h"
#include "tests/support/JapaneseStyle.h"
#include "tests/support/RenameRows.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

struct Literal {
    // where: file:line
    QString where, text;
};

// String literals, with comments and character literals read past so that
// quotes inside them do not count; literals that only whitespace (and an
// encoding prefix) separate are one text, as the compiler joins them.
QList<Literal> JapaneseLiterals(const QString& file, const QString& source)
{
    static const QRegularExpression token(
        QStringLiteral(R"re("(?:[^"\\\n]|\\.)*"|//[^\n]*|/\*[\s\S]*?\*/|'(?:[^'\\\n]|\\.)')re"));
    static const QRegularExpression japanese(QStringLiteral("[\u3000-\u30FF\u4E00-\u9FFF\uFF00-\uFFEF]"));
    static const QStringList prefixes = {QString(), QStringLiteral("u"), QStringLiteral("u8"),
                                         QStringLiteral("L")};
    QList<Literal> found;
    qsizetype endOfLast = -1;
    for (const QRegularExpressionMatch& m : token.globalMatch(source)) {
        if (!m.captured().startsWith(u'"'))
            continue;
        const QString text = m.captured().mid(1, m.capturedLength() - 2);
        if (endOfLast >= 0 &&
            prefixes.contains(source.mid(endOfLast, m.capturedStart() - endOfLast).trimmed()))
            found.last().text += text;
        else
            found.append(
                {QStringLiteral("%1:%2").arg(file).arg(source.left(m.capturedStart()).count(u'\n') + 1),
                 text});
        endOfLast = m.capturedEnd();
    }
    found.removeIf([](const Literal& l) { return !l.text.contains(japanese); });
    return found;
}

TEST(JapaneseTexts, HoldNoEnglishAndOneStyle)
{
    for (const char* bad : {"書き込めませんでした（Permission denied）", "表示のON/OFF", "%1件", "２件",
                            "できません（理由（詳細））"})
        EXPECT_FALSE(JapaneseStyleProblem(QString::fromUtf8(bad)).isEmpty()) << bad;

    QList<Literal> texts;
    for (const char* layer : {"app", "core", "ops", "intake", "editor", "platform", "ui"}) {
        QDirIterator files(QStringLiteral(QUORVANE_SOURCE_DIR "/") + QLatin1String(layer),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            texts += JapaneseLiterals(QLatin1String(layer) + u'/' + files.fileName(),
                                      QString::fromUtf8(file.readAll()));
        }
    }
    // The sources were found.
    ASSERT_GT(texts.size(), 150);
    for (const Literal& literal : texts) {
        const QString problem = JapaneseStyleProblem(literal.text);
        EXPECT_TRUE(problem.isEmpty()) << literal.where.toStdString() << ": " << problem.toStdString()
                                       << "\n  " << literal.text.toStdString();
    }
}

// Texts put together from the system's answers and the program's state, for
// every value they are built from.
TEST(JapaneseTexts, BuiltAtRunTimeHoldNoEnglishAndOneStyle)
{
    QStringList texts;
    const RenameList list = ListOf({QStringLiteral("a.txt"), QStringLiteral("b.txt")});
    for (int problem = 0; problem <= int(PreviewProblem::LookAlike); ++problem) {
        for (const bool folder : {false, true}) {
            RowPreview preview{PreviewProblem(problem), KeptNameReason::NoTitle, folder, 1};
            texts << PreviewProblemText(preview, list);
        }
    }
    for (int reason = 0; reason <= int(KeptNameReason::NoArtist); ++reason)
        texts << KeptNameReasonText(KeptNameReason(reason));
    texts << PreviewCountText(PreviewPending) << PreviewCountText(1234);

    for (int code : {EACCES, EPERM, ENOENT, EEXIST, ENOSPC, EROFS, EBUSY, EIO, ENOMEM})
        texts << SystemCauseText(code)
              << UndoReasonText(SystemCauseText(code) + QStringLiteral("（上書きはしません）。"));
    // The system's own messages and a program that does not start have their
    // texts checked word for word in SystemErrorTextTest.

    for (const FileTrust trust : {FileTrust::SymbolicLink, FileTrust::NotRegular, FileTrust::OtherOwner,
                                  FileTrust::WritableByOthers, FileTrust::Missing}) {
        texts << DistrustText(trust)
              << DistrustRemedyText(trust, QStringLiteral("/home/u/.config/setting.ini"))
              << FolderRefusalText(QStringLiteral("設定フォルダ"), QStringLiteral("/home/u/.config"), trust);
    }
    texts << StrayBytesText() << MovedOnText() << NowhereText() << UnidentifiedText() << NotParkedText()
          << StrandedTemporaryText(TemporaryStep::Exchange, QStringLiteral(".~qv1"), SystemCauseText(EIO));

    // Reports of every kind of walk, with failures and notes, stopped or not:
    // the rows are named by their files, never by a number.
    for (const bool undo : {false, true}) {
        for (const bool stopped : {false, true}) {
            RenameReport report;
            report.walked = true;
            report.undo = undo;
            report.stopped = stopped;
            report.renamed = 1234;
            report.leftOut = stopped ? 2 : 0;
            report.failures.append({0, QStringLiteral("/photos/a.txt"), QStringLiteral("b.txt"), EEXIST,
                                    SystemCauseText(EEXIST)});
            report.notes.append({1, QStringLiteral("/photos/c.txt"), QStringLiteral("d.txt"), 0,
                                 QStringLiteral("確かめてから名前を変更しました。")});
            texts << RenameFailureText(report);
        }
    }
    for (const QString& text : std::as_const(texts)) {
        EXPECT_EQ(JapaneseStyleProblem(text).toStdString(), "") << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("行目"))) << text.toStdString();
    }
}

} // namespace
