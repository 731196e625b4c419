#include <QtGlobal>
#ifndef Q_OS_WIN

#include "core/Paths.h"
#include "core/RenameWalk.h"
#include "platform/RenameReasons.h"
#include "platform/ShellRename.h"
#include "tests/support/FakeServices.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

namespace {

// Every file's content, sorted: a walk may move contents between names but
// must never lose, duplicate or change one.
QList<QByteArray> Contents(const QString& folder)
{
    QList<QByteArray> contents;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        contents.append(ReadBytes(dir.filePath(name)));
    std::sort(contents.begin(), contents.end());
    return contents;
}

// Many rows with duplicate targets, chains, swaps, case changes and targets
// that exist outside the list. Whatever succeeds or fails, no content may be
// lost and every row must name its own file.
TEST(WalkOnDisk, RandomWalksNeverLoseAFile)
{
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        QStringList pool;
        for (int i = 0; i < 24; ++i)
            pool.append(QStringLiteral("f%1.txt").arg(i));
        for (int i = 0; i < 4; ++i)
            pool.append(QStringLiteral("F%1.txt").arg(i)); // case variants of f0 ... f3
        std::shuffle(pool.begin(), pool.end(), random);

        // 16 listed files, 4 unlisted ones that stand in the way.
        RenameList list;
        QHash<int, QByteArray> contentOfRow;
        for (int i = 0; i < 20; ++i) {
            const QByteArray content = "content " + QByteArray::number(i);
            WriteBytes(dir.filePath(pool[i]), content);
            if (i >= 16)
                continue;
            const int pick =
                static_cast<int>(random.bounded(pool.size() + 4)) - static_cast<int>(pool.size());
            const QString target = pick < 0    ? pool[pool.size() + pick]
                                   : pick == 0 ? QString()
                                   : pick == 1 ? DetectionFailureMarker()
                                   : pick == 2 ? pool[i]
                                               : pool[i].toUpper();
            contentOfRow.insert(list.append({pool[i], target, {}, dir.path(), 0}), content);
        }
        const QList<QByteArray> before = Contents(dir.path());
        SystemFileRenamer renamer;
        FakeIcons icons;

        const auto checkDisk = [&](const char* step) {
            EXPECT_EQ(Contents(dir.path()), before) << "seed " << seed << ' ' << step;
            for (int row = 0; row < list.count(); ++row)
                EXPECT_EQ(ReadBytes(FullPathOf(list.at(row))), contentOfRow.value(row))
                    << "seed " << seed << ' ' << step << " row " << row;
        };
        const RenameReport renamed = RenameAll(list, renamer, icons);
        EXPECT_GT(renamed.renamed, 0) << seed;
        EXPECT_GT(renamed.failures.size(), 0) << seed;
        checkDisk("rename");
        UndoAll(list, renamer, icons);
        checkDisk("undo");
        RenameAll(list, renamer, icons);
        checkDisk("rename again");
    }
}

} // namespace

#endif
