#include "core/GivenPaths.h"

#include "core/NameBytes.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

// An absolute path with no empty, "." or ".." piece and no separator at the
// end is what cleaning would give back: it is kept as it is. With
// `asciiOnly`, a unit past ASCII makes it unclean too. One pass: most of a
// hundred thousand arguments are read here only.
template <typename Unit> bool IsCleanAbsolute(const Unit* units, qsizetype size, bool asciiOnly)
{
    if (QDir::separator() != u'/' || size == 0 || units[0] != '/')
        return false;
    qsizetype start = 1; // of the piece at hand
    for (qsizetype i = 1; i <= size; ++i) {
        if (i < size) {
            const auto unit = static_cast<std::make_unsigned_t<Unit>>(units[i]);
            if (asciiOnly && unit >= 0x80)
                return false;
            if (unit != '/')
                continue;
        }
        const qsizetype length = i - start;
        if (length == 0 || (length <= 2 && units[start] == '.' && units[i - 1] == '.'))
            return size == 1; // "/" alone is clean
        start = i + 1;
    }
    return true;
}

} // namespace

GivenPaths::GivenPaths(QStringList texts)
    : m_texts(std::move(texts))
{
#ifdef Q_OS_WIN
    // Drops and the folder dialog give paths with "/"; rows split on "\\".
    for (QString& text : m_texts)
        text = QDir::toNativeSeparators(text);
#endif
}

GivenPaths GivenPaths::ofArguments(int argc, const char* const* argv, const QString& currentFolder)
{
    GivenPaths paths;
    paths.m_arguments = argv + 1;
    paths.m_count = std::max(argc - 1, 0);
    paths.m_asGiven.reserve(static_cast<size_t>(paths.m_count));
    for (qsizetype i = 0; i < paths.m_count; ++i) {
        const char* argument = paths.m_arguments[i];
        paths.m_asGiven.push_back(IsCleanAbsolute(argument, qsizetype(std::strlen(argument)), true));
    }
    paths.m_currentFolder = QDir(currentFolder);
    return paths;
}

QAnyStringView GivenPaths::at(qsizetype i, QString& decoded) const
{
    if (!m_arguments)
        return m_texts.at(i);
    if (m_asGiven[static_cast<size_t>(i)])
        return QLatin1StringView(m_arguments[i]);
    decoded = CleanGivenPath(DecodeFileName(QByteArrayView(m_arguments[i])), m_currentFolder);
    return decoded;
}

QStringList GivenPaths::toStringList() const
{
    if (!m_arguments)
        return m_texts;
    QStringList texts;
    QString decoded;
    for (qsizetype i = 0; i < m_count; ++i)
        texts.append(at(i, decoded).toString());
    return texts;
}

QString CleanGivenPath(const QString& piece, const QDir& folder)
{
    if (piece.isEmpty() || IsCleanAbsolute(piece.utf16(), piece.size(), false))
        return piece;
    return QDir::toNativeSeparators(QDir::cleanPath(folder.absoluteFilePath(piece)));
}
