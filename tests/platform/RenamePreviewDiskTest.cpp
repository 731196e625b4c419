#include <QtGlobal>
#ifndef Q_OS_WIN

#include "core/RenameWalk.h"
#include "platform/ShellRename.h"
#include "platform/SystemFolderRules.h"
#include "tests/support/FakeServices.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The folder as the rename will meet it: a name that is not UTF-8 keeps its
// bytes, so that a row's current name finds it; names are refused as the rename refuses them
// (255 bytes fit, あ takes three).
TEST(SystemFolderRules, ListNamesAndNameTheProblemsOfTheRename)
{
    QTemporaryDir dir;
    for (const char* name :
         {"/a", "/bad\xff", "/d\xef\xbf\xbd", "/\xe3\x83\x8f\xe3\x82\x9a"}) // the last: ハ + U+309A
        ASSERT_EQ(::close(::open(QByteArray(QFile::encodeName(dir.path()) + name).constData(),
                                 O_CREAT | O_WRONLY, 0644)),
                  0);
    SystemFolderRules rules;
    const FolderFacts facts = rules.factsOf(dir.path());
    QStringList names;
    rules.listNames(dir.path(), [&](const NameText& name) { names.append(name); });
    names.sort();
    EXPECT_EQ(names.join(u' '),
              QStringLiteral(". .. a bad") + QChar(0xDCFF) + QStringLiteral(" d\uFFFD \u30CF\u309A"));
    EXPECT_TRUE(facts.listed);
    EXPECT_EQ(facts.longestName, 255);
    EXPECT_FALSE(rules.factsOf(dir.filePath(QStringLiteral("missing"))).listed);
    // QTemporaryDir cannot remove a name it cannot decode.
    ::unlink(QByteArray(QFile::encodeName(dir.path()) + "/bad\xff").constData());

    using enum PreviewProblem;
    const struct {
        QString name;
        PreviewProblem problem;
    } cases[] = {
        {QStringLiteral("b"), None},
        {QStringLiteral("x/y"), Separator},
        {QString(QChar(0)), ForbiddenCharacter},
        {QStringLiteral(".."), NotAName},
        {QString(84, u'あ') + u"abc", None},
        {QString(86, u'あ'), TooLong},
        {QString(256, u'n'), TooLong},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rules.nameProblem(dir.path(), QStringLiteral("a"), c.name, facts.longestName), c.problem)
            << c.name.left(4).toStdString();
    // The decomposed name is listed as it is: "パ" composed would look the same.
    RenameList list;
    list.append(RenameEntry{QStringLiteral("a"), QStringLiteral("パ"), {}, dir.path(), 0});
    EXPECT_EQ(PreviewProblemText(PreviewRenameAll(list, rules).rows.at(0), list),
              QStringLiteral("見た目が同じ名前のファイルがあります（文字の合成方法だけが違います）"));
}

// Small random lists over real files, with names taken twice, chains, swaps,
// case changes, unlisted files and names the rename refuses: the
// preview names exactly the rows the walk then fails on, with and without
// temporary names.
TEST(PreviewOnDisk, AgreesWithTheWalkOnRandomLists)
{
    QTemporaryDir root;
    QRandomGenerator random(13);
    SystemFolderRules rules;
    SystemFileRenamer renamer;
    FakeIcons icons;
    const QStringList names = {
        QStringLiteral("a"),     QStringLiteral("b"),  QStringLiteral("c"), QStringLiteral("A"),
        QStringLiteral("x/y"),   QStringLiteral(".."), QString(256, u'n'),  QString(),
        DetectionFailureMarker()};
    for (int round = 0; round < 300; ++round) {
        const QString folder = root.filePath(QString::number(round));
        ASSERT_TRUE(QDir().mkpath(folder));
        // Each file has one row at most, as an intake gives them, and each
        // row's file is there: the walk renames by path, and a file that
        // another row renamed to a missing file's name would be taken for it.
        // The rows' names come first; the rest are unlisted files or none.
        QStringList current = names.first(4);
        std::shuffle(current.begin(), current.end(), random);
        const quint32 rows = random.bounded(5);
        RenameList list;
        for (quint32 i = 0; i < 4; ++i) {
            if (i < rows || random.bounded(3) != 0)
                QFile(folder + u'/' + current.at(i)).open(QIODevice::WriteOnly);
            if (i < rows)
                list.append(RenameEntry{
                    current.at(i), names.at(random.bounded(random.bounded(4) == 0 ? 9 : 4)), {}, folder, 0});
        }
        const bool exchange = round % 2 == 1;
        const RenamePreview preview = PreviewRenameAll(list, rules, exchange);
        RenameRowsWalk walk(list, RenameWalkKind::All, renamer, icons, exchange);
        ASSERT_TRUE(walk.runFor(QDeadlineTimer(QDeadlineTimer::Forever)));
        for (const RenameRowResult& failure : walk.report().failures)
            EXPECT_TRUE(preview.rows.at(failure.row).fails()) << "round " << round << " row " << failure.row;
        EXPECT_EQ(preview.failing, walk.report().failures.size()) << "round " << round;
    }
}

} // namespace

#endif
