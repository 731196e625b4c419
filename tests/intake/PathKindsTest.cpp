#include "intake/PathKinds.h"
#include "core/Paths.h"
#include "platform/SystemFolderLister.h"
#include "tests/support/FakeServices.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Whatever way the kinds are found, each path gets the answer asking the
// system about it gives.
TEST(PathKinds, AnswerAsTheSystemDoesForEveryPath)
{
    QTemporaryDir dir;
    const QString many = dir.filePath(QStringLiteral("many"));       // read once: it holds many paths
    const QString crowded = dir.filePath(QStringLiteral("crowded")); // too many entries to be worth reading
    QDir().mkpath(many + QStringLiteral("/sub"));
    QDir().mkpath(crowded + QStringLiteral("/sub"));
    QStringList paths;
    for (int i = 0; i < 2200; ++i) {
        WriteBytes(crowded + QStringLiteral("/c%1").arg(i), {});
        if (i < PathKinds::ListingThreshold)
            paths.append(crowded + QStringLiteral("/c%1").arg(i));
    }
    for (int i = 0; i < 80; ++i) {
        WriteBytes(many + QStringLiteral("/f%1.jpg").arg(i), {});
        paths.append(many + QStringLiteral("/f%1.jpg").arg(i));
    }
    for (const auto& [link, target] :
         {std::pair{"to-sub", "sub"}, {"to-file", "f1.jpg"}, {"dangling", "nowhere"}})
        ASSERT_TRUE(QFile::link(QLatin1String(target), many + u'/' + QLatin1String(link)));
    for (const char* name : {"sub", "to-sub", "to-file", "dangling", "missing", "sub/", ".", "..", "SUB"})
        paths.append(many + QLatin1Char('/') + QLatin1String(name));
    paths += {crowded + QStringLiteral("/sub"), dir.path(), QStringLiteral("/"), QString(),
              QStringLiteral("many")};

    SystemFolderLister lister;
    PathKinds kinds(paths, lister);
    for (qsizetype i = 0; const QString& path : paths)
        EXPECT_EQ(kinds.isExistingFolder(i++, path), IsExistingFolder(path)) << qPrintable(path);

    FakeFolderLister unreadable; // a folder that cannot be read: each path is asked about
    FolderListing refused;
    refused.unreadable = true;
    unreadable.folders.insert(QDir::toNativeSeparators(many), refused); // as the intake names it
    PathKinds asked(paths, unreadable);
    EXPECT_TRUE(asked.isExistingFolder(paths.indexOf(many + u"/sub"), many + u"/sub"));
}

} // namespace
