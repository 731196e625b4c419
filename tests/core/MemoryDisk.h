#pragma once
// The user's files in memory for walks and recovery: path -> file number,
// renamed without replacing like the real call. With `foldCase` a path also
// finds an entry spelled with other letter case. Journal files are not its
// business.

#include "core/JournalDisk.h"
#include "core/Paths.h"
#include "core/Services.h"

#include <QMap>
#include <QStringList>

#include <cerrno>

class MemoryDisk final : public FileRenamer, public JournalDisk {
public:
    QMap<QString, int> entries;
    bool foldCase = false;
    QStringList calls; // "from>to" by file names
    QString noteFor;   // target path whose rename succeeds with a note

    QString find(const QString& path) const
    {
        if (entries.contains(path) || !foldCase)
            return entries.contains(path) ? path : QString();
        for (const QString& key : entries.keys()) {
            if (key.compare(path, Qt::CaseInsensitive) == 0)
                return key;
        }
        return {};
    }
    RenameOutcome rename(const QString& from, const QString& to) override
    {
        calls.append(FileNameOf(from) + u'>' + FileNameOf(to));
        const QString source = find(from), target = find(to);
        if (source.isEmpty() || (!target.isEmpty() && target != source))
            return {false, source.isEmpty() ? ENOENT : EEXIST,
                    QString::fromLatin1(source.isEmpty() ? "gone" : "exists")};
        entries.insert(to, entries.take(source));
        if (to == noteFor)
            return {true, EINVAL, QStringLiteral("checked first")};
        return RenameOutcome::success();
    }
    // The file number is the inode.
    FileIdentity identityOf(const QString& path) override
    {
        const QString found = find(path);
        return found.isEmpty() ? FileIdentity{} : FileIdentity{1, quint64(entries.value(found)), 0100000, 0};
    }
    bool isSameFile(const QString& a, const QString& b)
    {
        return identityOf(a).isKnown() && identityOf(a).matches(identityOf(b));
    }
    QStringList namesIn(const QString& folder) override
    {
        QStringList names;
        for (const QString& path : entries.keys()) {
            if (FolderOf(path) == folder)
                names.append(FileNameOf(path));
        }
        return names;
    }
    RenameOutcome removeExtraName(const QString& keep, const QString& extra) override
    {
        if (!isSameFile(keep, extra))
            return {false, EEXIST, QStringLiteral("not one file")};
        entries.remove(extra);
        return RenameOutcome::success();
    }
    QString create(const QString&, const Pieces& pieces) override
    {
        return WriteEachPiece(pieces, [](const QByteArray&) { return true; }) ? QString()
                                                                              : QStringLiteral("not written");
    }
    QString append(const QString&, const QByteArray&, Step) override { return {}; }
    QString overwrite(const QString&, qint64, const QByteArray&, Step) override { return {}; }
    bool isHeld(const QString&) override { return false; }
};
