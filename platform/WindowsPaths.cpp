#include "platform/WindowsPaths.h"

#include <QDir>

#include <cwchar>

QString ExtendedPath(const QString& path)
{
    QString native = QDir::toNativeSeparators(path);
    if (native.startsWith(QLatin1String("\\\\?\\")))
        return native;
    if (!QDir::isAbsolutePath(native))
        native = QDir::current().absoluteFilePath(native);
    native = QDir::toNativeSeparators(QDir::cleanPath(native));
    if (native.startsWith(QLatin1String("\\\\")))
        return QStringLiteral("\\\\?\\UNC\\") + native.mid(2);
    // A drive alone ("C:") means the drive's root here.
    if (native.size() == 2 && native.at(1) == QLatin1Char(':'))
        native += QLatin1Char('\\');
    return QStringLiteral("\\\\?\\") + native;
}

FolderSearch::FolderSearch(const QString& folder, const QString& pattern)
{
    QString query = ExtendedPath(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!query.endsWith(QLatin1Char('\\')))
        query += QLatin1Char('\\');
    query += pattern.isEmpty() ? QStringLiteral("*") : pattern;
    m_search = FindFirstFileExW(Wide(query), FindExInfoBasic, &m_data, FindExSearchNameMatch, nullptr,
                                FIND_FIRST_EX_LARGE_FETCH);
    if (m_search == INVALID_HANDLE_VALUE) {
        // A folder without a matching entry is not a failure.
        const DWORD error = GetLastError();
        m_failed = error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES;
    }
}

FolderSearch::~FolderSearch()
{
    if (m_search != INVALID_HANDLE_VALUE)
        FindClose(m_search);
}

bool FolderSearch::next()
{
    if (m_search == INVALID_HANDLE_VALUE)
        return false;
    if (m_first) {
        m_first = false;
        return true;
    }
    if (FindNextFileW(m_search, &m_data))
        return true;
    m_failed = GetLastError() != ERROR_NO_MORE_FILES;
    FindClose(m_search);
    m_search = INVALID_HANDLE_VALUE;
    return false;
}

QStringView FolderSearch::name() const
{
    // The name ends at the first NUL character of the record.
    return QStringView(reinterpret_cast<const char16_t*>(m_data.cFileName),
                       static_cast<qsizetype>(std::wcslen(m_data.cFileName)));
}
