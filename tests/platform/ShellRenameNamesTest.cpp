#include "platform/RenameReasons.h"

#include "core/RenameWalk.h"
#include "tests/support/JapaneseStyle.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// Checked before Windows is asked, so they are tested on every platform.
TEST(WindowsNames, AreRefusedBeforeTheSystemSeesThem)
{
    const struct {
        const char *name, *input;
        std::optional<RenameProblem> problem;
    } cases[] = {
        {"plain", "photo.jpg", std::nullopt},
        {"device", "CON", RenameProblem::ReservedName},
        {"device with space before extension", "com1 .log", RenameProblem::ReservedName},
        {"superscript port", "LPT\u00B9", RenameProblem::ReservedName},
        {"device as part of a name", "CONSOLE.txt", std::nullopt},
        {"port ten", "COM10", std::nullopt},
        {"trailing dot", "name.", RenameProblem::TrailingDotOrSpace},
        {"colon", "a:b", RenameProblem::InvalidName},
        {"full width forbidden lookalikes", "a：b？.txt", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowsNameProblem(QString::fromUtf8(c.input)), c.problem) << c.name;
}

// Every reason, for a rename and worded for an undo: Japanese of one style,
// and an undo never asks for another name or a rename.
TEST(RenameReasons, ReadAsJapaneseForARenameAndAnUndo)
{
    QStringList reasons{
        BothNamesLeftText(QStringLiteral("/a/x"), QStringLiteral("/a/y"), QStringLiteral("理由")),
        ReplacedDuringRenameText(QStringLiteral("/a/.~qv1")), NotAtomicText()};
    for (int problem = 0; problem <= int(RenameProblem::Other); ++problem) {
        for (const int code : {EIO, 9999})
            reasons << RenameReasonText(RenameProblem(problem), code);
    }
    for (const QString& reason : std::as_const(reasons)) {
        EXPECT_EQ(JapaneseStyleProblem(reason).toStdString(), "") << reason.toStdString();
        const QString undo = UndoReasonText(reason);
        EXPECT_FALSE(undo.contains(QStringLiteral("リネームしてください")) ||
                     undo.contains(QStringLiteral("ほかの名前にしてください")))
            << undo.toStdString();
    }
}

} // namespace
