#include "platform/IconTable.h"

#include <QDir>
#include <QFileInfo>

IconTable::IconTable()
{
    m_iconNames = {{QStringLiteral("text-x-generic"), QStringLiteral("unknown")}, {QStringLiteral("folder")}};
    m_icons.resize(m_iconNames.size());
    m_lookedUp.resize(m_iconNames.size());
}

int IconTable::indexFor(const QString& name, bool directory)
{
    if (directory)
        return FolderIndex;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == name.size() - 1)
        return FileIndex;
    const QString suffix = name.mid(dot + 1).toLower();
    const auto known = m_bySuffix.constFind(suffix);
    if (known != m_bySuffix.constEnd())
        return *known;
    const int index = indexForMimeType(m_mimeDatabase.mimeTypeForFile(name, QMimeDatabase::MatchExtension));
    m_bySuffix.insert(suffix, index);
    return index;
}

int IconTable::indexOfPath(const QString& path)
{
    const QFileInfo info(path);
    return indexFor(info.fileName(), info.isDir());
}

int IconTable::indexForRenamed(int oldIndex, const QString& newPath)
{
    if (oldIndex == FolderIndex)
        return FolderIndex;
    const qsizetype slash = newPath.lastIndexOf(QDir::separator());
    return indexFor(newPath.mid(slash + 1), false);
}

int IconTable::indexForMimeType(const QMimeType& type)
{
    if (!type.isValid() || type.isDefault())
        return FileIndex;
    const auto known = m_byMimeName.constFind(type.name());
    if (known != m_byMimeName.constEnd())
        return *known;
    const int index = static_cast<int>(m_iconNames.size());
    m_iconNames.append({type.iconName(), type.genericIconName(), QStringLiteral("text-x-generic")});
    m_icons.append(QIcon());
    m_lookedUp.append(false);
    m_byMimeName.insert(type.name(), index);
    return index;
}

QIcon IconTable::icon(int index)
{
    if (index < 0 || index >= m_icons.size())
        index = FileIndex;
    QIcon& icon = m_icons[index];
    if (!m_lookedUp.at(index)) {
        m_lookedUp[index] = true;
        for (const QString& name : std::as_const(m_iconNames.at(index))) {
            icon = QIcon::fromTheme(name);
            if (!icon.isNull())
                break;
        }
    }
    return icon;
}
