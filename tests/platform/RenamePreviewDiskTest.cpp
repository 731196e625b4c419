#include <QtGlobal>
#ifndef Q_OS_WIN

#include "core/RenamePreview.h"
#include "core/RenameWalk.h"
#include "platform/ShellRename.h"
#include "platform/SystemFolderRules.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Small random lists over real files, with duplicates, swaps, missing and
// unlisted files, names with U+FFFD (one not text on disk), and names the
// rename refuses or takes (separator, NUL, "..", 255 and 256 bytes): the
// preview names exactly the rows the walk then fails on.
TEST(PreviewOnDisk, AgreesWithTheWalkOnRandomLists)
{
    QTemporaryDir root;
    QRandomGenerator random(13);
    SystemFolderRules rules;
    SystemFileRenamer renamer;
    FakeIcons icons;
    const QStringList names = {QStringLiteral("a"),         QStringLiteral("b"),         QStringLiteral("c"),
                               QStringLiteral("A"),         QStringLiteral("d\uFFFD"),   QString(),
                               QStringLiteral("x/y"),       QString(QChar(0)),           QStringLiteral(".."),
                               QString(256, u'n'),          QString(84, u'あ') + u"abc", QString(86, u'あ'),
                               QStringLiteral("bad\uFFFD"), DetectionFailureMarker()};
    const auto pick = [&](qsizetype count) { return names.at(random.bounded(count)); };
    for (int round = 0; round < 200; ++round) {
        const QString base = root.filePath(QString::number(round));
        RenameList list;
        QStringList rows;
        for (const QString& folder : {QString(base + u"/p"), QString(base + u"/q")}) {
            ASSERT_TRUE(QDir().mkpath(folder));
            const QByteArray notText = QFile::encodeName(folder) + "/bad\xff";
            ASSERT_EQ(::close(::open(notText.constData(), O_CREAT | O_WRONLY, 0644)), 0);
            for (qsizetype i = 0; i < 5; ++i) {
                if (random.bounded(3) != 0)
                    QFile(folder + u'/' + names.at(i)).open(QIODevice::WriteOnly);
            }
            for (quint32 i = random.bounded(4); i > 0; --i) {
                const QString given = folder + (random.bounded(4) == 0 ? QStringLiteral("/") : QString());
                list.append(
                    RenameEntry{pick(5), pick(random.bounded(4) == 0 ? names.size() : 5), {}, given, 0});
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
