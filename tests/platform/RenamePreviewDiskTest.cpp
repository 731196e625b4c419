#include <QtGlobal>
#ifndef Q_OS_WIN

#include "core/RenamePreview.h"
#include "core/RenameWalk.h"
#include "platform/ShellRename.h"
#include "platform/SystemFolderRules.h"
#include "tests/support/CaseName.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct NameCase {
    const char* name;
    QString newName;
    PreviewProblem expected;
};

class SystemNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(SystemNames, AreRefusedAsTheRenameRefusesThem)
{
    QTemporaryDir dir;
    SystemFolderRules rules;
    const FolderFacts facts = rules.factsOf(dir.path());
    ASSERT_TRUE(facts.listed);
    ASSERT_EQ(facts.longestName, 255); // the common limit of Linux file systems
    EXPECT_EQ(rules.nameProblem(dir.path(), QStringLiteral("a"), GetParam().newName, facts.longestName),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SystemNames,
    ::testing::Values(NameCase{"separator", QStringLiteral("x/y"), PreviewProblem::Separator},
                      NameCase{"nul", QStringLiteral("x") + QChar(0), PreviewProblem::ForbiddenCharacter},
                      NameCase{"dot", QStringLiteral("."), PreviewProblem::NotAName},
                      NameCase{"dot_dot", QStringLiteral(".."), PreviewProblem::NotAName},
                      NameCase{"bytes_255", QString(255, QLatin1Char('n')), PreviewProblem::None},
                      NameCase{"bytes_256", QString(256, QLatin1Char('n')), PreviewProblem::TooLong},
                      NameCase{"kana_255_bytes", QString(85, QChar(0x3042)), PreviewProblem::None},
                      NameCase{"kana_258_bytes", QString(86, QChar(0x3042)), PreviewProblem::TooLong}),
    CaseName());

TEST(SystemFolderRules, ListsOnlyNamesThatReadAsText)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    for (const char* name : {"/bad\xff", "/ok\xef\xbf\xbd"})
        ASSERT_EQ(::close(::open(QByteArray(folder + name).constData(), O_CREAT | O_WRONLY, 0644)), 0);
    const QStringList names = SystemFolderRules().factsOf(dir.path()).names;
    // "bad\xff" reads as "bad\uFFFD", a name that a rename to that text would not meet.
    EXPECT_FALSE(names.contains(QStringLiteral("bad\uFFFD")));
    EXPECT_TRUE(names.contains(QStringLiteral("ok\uFFFD")));
}

QString Describe(const RenameList& list)
{
    QStringList rows;
    for (const RenameEntry& entry : list.rows())
        rows.append(entry.folder.right(2) + QLatin1Char(':') + entry.currentName + QLatin1Char('>') +
                    entry.newName.left(8));
    return rows.join(QStringLiteral(", "));
}

// Small random lists over real files, with duplicates, swaps, missing files,
// unlisted files and refused names: the rows the preview says would fail are
// exactly the rows the walk then fails on.
TEST(PreviewOnDisk, AgreesWithTheWalkOnRandomLists)
{
    QTemporaryDir root;
    QRandomGenerator random(13);
    SystemFolderRules rules;
    SystemFileRenamer renamer;
    FakeIcons icons;
    const QStringList names = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                               QStringLiteral("A"), QStringLiteral("d.txt")};
    const QStringList odd = {QString(), QStringLiteral("."), QStringLiteral("x/y"),
                             QString(256, QLatin1Char('n')), DetectionFailureMarker()};
    for (int round = 0; round < 200; ++round) {
        const QString base = root.filePath(QString::number(round));
        const QStringList folders = {base + QStringLiteral("/p"), base + QStringLiteral("/q")};
        for (const QString& folder : folders) {
            ASSERT_TRUE(QDir().mkpath(folder));
            for (const QString& name : names) {
                if (random.bounded(3) != 0) {
                    QFile file(folder + QLatin1Char('/') + name);
                    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                }
            }
        }
        RenameList list;
        const int rows = 1 + static_cast<int>(random.bounded(6));
        for (int i = 0; i < rows; ++i) {
            const QString folder =
                folders.at(random.bounded(2)) + (random.bounded(4) == 0 ? QStringLiteral("/") : QString());
            const QString newName = random.bounded(6) == 0 ? odd.at(random.bounded(odd.size()))
                                                           : names.at(random.bounded(names.size()));
            list.append(RenameEntry{names.at(random.bounded(names.size())), newName, {}, folder, 0});
        }
        const QString rowsBefore = Describe(list);

        const RenamePreview preview = PreviewRenameAll(list, rules);
        QList<int> predicted;
        for (int row = 0; row < preview.rows.size(); ++row) {
            if (preview.rows.at(row).fails())
                predicted.append(row);
        }
        QList<int> failed;
        for (const RenameRowResult& failure : RenameAll(list, renamer, icons).failures)
            failed.append(failure.row);
        ASSERT_EQ(predicted, failed) << "round " << round << ": " << rowsBefore.toStdString();
        EXPECT_EQ(preview.failing, failed.size());
    }
}

} // namespace

#endif
