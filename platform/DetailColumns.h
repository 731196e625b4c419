#pragma once
// A file's detail columns: an ordered list of (Japanese header, value) pairs
// built from the file's information and its media tags, standing in for the
// columns a file manager shows in its detail view.

#include "core/Services.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

struct DetailColumn {
    QString header;
    QString value;
};

// A header search looks at this many leading columns and no further.
inline constexpr int SearchedDetailColumns = 41;

// Every column of one file in a fixed order; the headers are the same for
// every path. Values a file does not have are empty: the media columns of a
// file the tag reader cannot open, everything but the name of a vanished file.
[[nodiscard]] QList<DetailColumn> ReadDetailColumns(const QString& path);

// The value of the first column among the leading SearchedDetailColumns whose
// header equals `header` exactly; empty when none does.
[[nodiscard]] QString DetailValueByHeader(const QList<DetailColumn>& columns, const QString& header);

// Reads the file anew for every question.
class TagDetailSource final : public DetailSource {
public:
    [[nodiscard]] QString detailByHeader(const QString& folder, const QString& fileName,
                                         const QString& header) override;
    [[nodiscard]] QDateTime dateTaken(const QString& folder, const QString& fileName) override;
};

// Reads each file once and answers later questions about it from memory.
// Make one per command: a tag edited between two commands is then read anew.
class CachingDetailSource final : public DetailSource {
public:
    using Reader = std::function<QList<DetailColumn>(const QString& path)>;

    explicit CachingDetailSource(Reader reader = ReadDetailColumns);

    [[nodiscard]] QString detailByHeader(const QString& folder, const QString& fileName,
                                         const QString& header) override;

private:
    Reader m_reader;
    QHash<QString, QList<DetailColumn>> m_columns;
};
