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
    ASSERT_EQ(facts.longestName, 255); // the limit of the common Linux file systems
    EXPECT_EQ(rules.nameProblem(dir.path(), QStringLiteral("a"), GetParam().newName, facts.longestName),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SystemNames,
    ::testing::Values(NameCase{"separator", QStringLiteral("x/y"), PreviewProblem::Separator},
                      NameCase{"nul", QString(QChar(0)), PreviewProblem::ForbiddenCharacter},
                      NameCase{"dot_dot", QStringLiteral(".."), PreviewProblem::NotAName},
                      NameCase{"bytes_255", QString(255, u'n'), PreviewProblem::None},
                      NameCase{"bytes_256", QString(256, u'n'), PreviewProblem::TooLong},
                      NameCase{"kana_255_bytes", QString(85, u'あ'), PreviewProblem::None},
                      NameCase{"kana_258_bytes", QString(86, u'あ'), PreviewProblem::TooLong}),
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

// Small random lists over real files, with duplicates, swaps, missing and
// unlisted files and refused names: the preview names exactly the rows the
// walk then fails on.
TEST(PreviewOnDisk, AgreesWithTheWalkOnRandomLists)
{
    QTemporaryDir root;
    QRandomGenerator random(13);
    SystemFolderRules rules;
    SystemFileRenamer renamer;
    FakeIcons icons;
    const QStringList names = {QStringLiteral("a"),   QStringLiteral("b"),     QStringLiteral("c"),
                               QStringLiteral("A"),   QStringLiteral("d.txt"), QString(),
                               QStringLiteral("x/y"), QString(256, u'n'),      DetectionFailureMarker()};
    const auto pick = [&](qsizetype count) { return names.at(random.bounded(count)); };
    for (int round = 0; round < 200; ++round) {
        const QString base = root.filePath(QString::number(round));
        RenameList list;
        QStringList rows;
        for (const QString& folder : {QString(base + u"/p"), QString(base + u"/q")}) {
            ASSERT_TRUE(QDir().mkpath(folder));
            for (qsizetype i = 0; i < 5; ++i) {
                if (random.bounded(3) != 0)
                    QFile(folder + u'/' + names.at(i)).open(QIODevice::WriteOnly);
            }
            for (quint32 i = random.bounded(4); i > 0; --i) {
                const QString given = folder + (random.bounded(4) == 0 ? QStringLiteral("/") : QString());
                list.append(
                    RenameEntry{pick(5), pick(random.bounded(6) == 0 ? names.size() : 5), {}, given, 0});
                rows.append(list.at(list.count() - 1).currentName + u'>' + list.at(list.count() - 1).newName);
            }
        }

        QList<int> predicted;
        const RenamePreview preview = PreviewRenameAll(list, rules);
        for (int row = 0; row < preview.rows.size(); ++row) {
            if (preview.rows.at(row).fails())
                predicted.append(row);
        }
        QList<int> failed;
        for (const RenameRowResult& failure : RenameAll(list, renamer, icons).failures)
            failed.append(failure.row);
        ASSERT_EQ(predicted, failed) << "round " << round << ": " << rows.join(u' ').left(200).toStdString();
    }
}

} // namespace

#endif
