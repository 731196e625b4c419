#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/SystemFolderRules.h"
#include "tests/support/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    EXPECT_TRUE(rules.listNames(dir.path(), [&](const NameText& name) { names.append(name); }));
    names.sort();
    EXPECT_EQ(names.join(u' '),
              QStringLiteral(". .. a bad") + QChar(0xDCFF) + QStringLiteral(" d\uFFFD \u30CF\u309A"));
    EXPECT_TRUE(facts.listed);
    EXPECT_EQ(facts.longestName, 255);
    EXPECT_FALSE(rules.factsOf(dir.filePath(QStringLiteral("missing"))).listed);
    EXPECT_FALSE(rules.listNames(dir.filePath(QStringLiteral("missing")), [](const NameText&) {}));
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

} // namespace

#endif
