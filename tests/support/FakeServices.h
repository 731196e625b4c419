#pragma once
// Small in-memory stand-ins for the system services.

#include "core/CommandError.h"
#include "core/Services.h"
#include "tests/support/QtPrinters.h"

#include <QHash>
#include <QStringList>

class FakeFolderLister final : public FolderLister {
public:
    QHash<QString, FolderListing> folders;
    FolderListing list(const QString& folder, const QString&) override { return folders.value(folder); }
};

// Gives every name the index of its length, so tests can tell icons apart.
class FakeIcons final : public IconIndexer {
public:
    int indexFor(const QString& name, bool directory) override
    {
        return directory ? 1000 : static_cast<int>(name.size());
    }
    int indexOfPath(const QString& path) override { return static_cast<int>(path.size()); }
};

// Property values by header, the same for every file unless `byFile` holds
// the file's own; logs every question as "folder:file:header".
class FakeDetails final : public DetailSource {
public:
    QHash<QString, QString> values;
    QHash<QString, QHash<QString, QString>> byFile; // by file name, then header
    QString failOn; // a file whose look-up fails, as a shell that cannot open the folder
    QStringList asked;

    QString detailByHeader(const QString& folder, const QString& fileName, const QString& header) override
    {
        asked.append(folder + QLatin1Char(':') + fileName + QLatin1Char(':') + header);
        if (fileName == failOn)
            throw CommandError(QStringLiteral("shell failed"));
        return byFile.value(fileName, values).value(header);
    }
    // Dates by file name; a file without one records none.
    QHash<QString, QDateTime> taken, modified;
    QDateTime dateTaken(const QString&, const QString& fileName) override
    {
        asked.append(fileName + QStringLiteral(":taken"));
        return taken.value(fileName);
    }
    QDateTime modificationTime(const QString&, const QString& fileName) override
    {
        return modified.value(fileName);
    }
};

class FakeKeyboard final : public KeyboardState {
public:
    bool shift = false;
    bool isShiftDown() const override { return shift; }
};

// Logs what it was asked to show, open or start; everything succeeds.
class FakeShell final : public DesktopShell {
public:
    QStringList shown;
    QStringList opened;
    void showInFileManager(const QString& path) override { shown.append(path); }
    bool open(const QString& pathOrUrl) override
    {
        opened.append(pathOrUrl);
        return true;
    }
    QStringList started;  // "program|folder"
    QString startFailure; // why every start fails; empty: they succeed
    bool start(const QString& program, const QString& workingFolder, QString* reason) override
    {
        started.append(program + QLatin1Char('|') + workingFolder);
        *reason = startFailure;
        return startFailure.isEmpty();
    }
};
