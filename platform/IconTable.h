#pragma once

#include "core/Services.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QMimeDatabase>

#include <array>

// The application-wide icon table. Rows keep an index into it; the index is
// decided by the file's type from its name alone, and each type is looked up
// once. The last few suffixes are remembered as they were written, so a
// folder of many files pays a short comparison per file and allocates
// nothing, not a disk or MIME database access.
class IconTable final : public IconIndexer {
public:
    IconTable();

    [[nodiscard]] int indexFor(const QString& name, bool directory) override;
    [[nodiscard]] int indexForName(QAnyStringView name, bool directory) override;
    [[nodiscard]] int indexOfPath(const QString& path) override;
    [[nodiscard]] int indexForRenamed(int oldIndex, const QString& newPath) override;

    // The icon shown for an index, from the icon theme; built the first time
    // it is asked for, and null where the desktop has no icon theme.
    [[nodiscard]] QIcon icon(int index);
    [[nodiscard]] int size() const { return static_cast<int>(m_iconNames.size()); }

    static constexpr int FileIndex = 0;
    static constexpr int FolderIndex = 1;

private:
    int indexForMimeType(const QMimeType& type);
    int indexForNewSuffix(QAnyStringView name, QAnyStringView suffix);

    struct RecentSuffix {
        QString suffix; // as written, not lower-cased
        int index = FileIndex;
    };

    QMimeDatabase m_mimeDatabase;
    std::array<RecentSuffix, 8> m_recent;
    size_t m_nextRecent = 0;          // the slot the next new suffix takes
    QHash<QString, int> m_bySuffix;   // lower-cased suffix -> index
    QHash<QString, int> m_byMimeName; // MIME type name -> index
    QList<QStringList> m_iconNames;   // theme names to try, per index
    QList<QIcon> m_icons;             // built lazily
    QList<bool> m_lookedUp;           // the theme was asked once for that index
};
