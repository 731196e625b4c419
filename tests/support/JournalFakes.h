#pragma once
// A disk for the journal's logic: journal files are real files (written
// plainly, held in a set), the user's files live in memory as path -> file
// number, renamed without replacing like the real call. With `foldCase` a
// path also finds an entry spelled with other letter case.

#include "core/JournalDisk.h"
#include "tests/support/QtPrinters.h"

#include <QFile>
#include <QMap>
#include <QSaveFile>
#include <QSet>

#include <cerrno>

class FakeDisk final : public FileRenamer, public JournalDisk {
public:
    QMap<QString, int> entries; // exact spelling -> file number
    bool foldCase = false;
    QSet<QString> held;

    // The entry a path finds, empty for none.
    QString find(const QString& path) const
    {
        if (entries.contains(path) || !foldCase)
            return entries.contains(path) ? path : QString();
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            if (it.key().compare(path, Qt::CaseInsensitive) == 0)
                return it.key();
        }
        return {};
    }

    RenameOutcome rename(const QString& from, const QString& to) override
    {
        const QString source = find(from);
        if (source.isEmpty())
            return {false, ENOENT, QStringLiteral("gone")};
        const QString target = find(to);
        if (!target.isEmpty() && target != source)
            return {false, EEXIST, QStringLiteral("exists")};
        entries.insert(to, entries.take(source));
        return RenameOutcome::success();
    }

    QString create(const QString& path, const QByteArray& bytes) override
    {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return file.errorString();
        held.insert(path);
        return {};
    }
    QString append(const QString& path, const QByteArray& bytes, Step step) override
    {
        QFile file(path);
        if (!file.open(QIODevice::Append) || file.write(bytes) != bytes.size())
            return file.errorString();
        if (step == Step::Start)
            held.insert(path);
        else
            held.remove(path);
        return {};
    }
    bool isHeld(const QString& path) override { return held.contains(path); }
    bool exists(const QString& path) override { return !find(path).isEmpty(); }
    bool isSameFile(const QString& a, const QString& b) override
    {
        return exists(a) && exists(b) && entries.value(find(a)) == entries.value(find(b));
    }
    QStringList namesIn(const QString& folder) override
    {
        QStringList names;
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            const qsizetype slash = it.key().lastIndexOf(QLatin1Char('/'));
            if (it.key().left(slash) == folder)
                names.append(it.key().mid(slash + 1));
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
};
