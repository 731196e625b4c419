#include "platform/IconTable.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFileInfo>

IconTable::IconTable()
{
    m_iconNames = {{QStringLiteral("text-x-generic"), QStringLiteral("unknown")}, {QStringLiteral("folder")}};
    m_icons.resize(m_iconNames.size());
    m_lookedUp.resize(m_iconNames.size());
}

namespace {

#ifdef Q_OS_WIN
const QString kShellSuffix = QStringLiteral("shell:*.");
#endif

char16_t UnitAt(QStringView view, qsizetype i)
{
    return view.at(i).unicode();
}
template <class Bytes> char16_t UnitAt(Bytes view, qsizetype i)
{
    return static_cast<unsigned char>(view.data()[i]);
}

// The position of the last dot of a name in any encoding (a dot is one unit
// in each); -1 without one.
qsizetype LastDot(QAnyStringView name)
{
    return name.visit([](auto view) {
        for (qsizetype i = view.size() - 1; i >= 0; --i) {
            if (UnitAt(view, i) == u'.')
                return i;
        }
        return qsizetype(-1);
    });
}

QAnyStringView Sliced(QAnyStringView name, qsizetype from)
{
    return name.visit([from](auto view) { return QAnyStringView(view.sliced(from)); });
}

} // namespace

int IconTable::indexFor(const QString& name, bool directory)
{
    return indexForName(name, directory);
}

int IconTable::indexForName(QAnyStringView name, bool directory)
{
    if (directory)
        return FolderIndex;
    const qsizetype dot = LastDot(name);
    if (dot < 0 || dot == name.size() - 1)
        return FileIndex;
    const QAnyStringView suffix = Sliced(name, dot + 1);
    for (const RecentSuffix& recent : m_recent) {
        if (recent.suffix.size() == suffix.size() && QAnyStringView::equal(recent.suffix, suffix))
            return recent.index;
    }
    return indexForNewSuffix(name, suffix);
}

int IconTable::indexForNewSuffix(QAnyStringView name, QAnyStringView suffix)
{
    const QString lowered = suffix.toString().toLower();
    auto known = m_bySuffix.constFind(lowered);
    if (known == m_bySuffix.constEnd()) {
#ifdef Q_OS_WIN
        // The shell's icon of the type, asked once per suffix (see icon()).
        Q_UNUSED(name);
        const int index = static_cast<int>(m_iconNames.size());
        m_iconNames.append({QString(kShellSuffix + lowered)});
        m_icons.append(QIcon());
        m_lookedUp.append(false);
#else
        const int index =
            indexForMimeType(m_mimeDatabase.mimeTypeForFile(name.toString(), QMimeDatabase::MatchExtension));
#endif
        known = m_bySuffix.insert(lowered, index);
    }
    RecentSuffix& slot = m_recent.at(m_nextRecent);
    m_nextRecent = (m_nextRecent + 1) % m_recent.size();
    slot = {suffix.toString(), *known};
    return *known;
}

int IconTable::indexOfPath(const QString& path)
{
    const QFileInfo info(path);
    return indexForName(info.fileName(), info.isDir());
}

int IconTable::indexForRenamed(int oldIndex, const QString& newPath)
{
    if (oldIndex == FolderIndex)
        return FolderIndex;
    const qsizetype slash = newPath.lastIndexOf(QDir::separator());
    return indexForName(QStringView(newPath).sliced(slash + 1), false);
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
#ifdef Q_OS_WIN
        // The shell answers for a name that does not exist by its suffix.
        const QAbstractFileIconProvider shell;
        const QString& first = m_iconNames.at(index).constFirst();
        icon = index == FolderIndex ? shell.icon(QAbstractFileIconProvider::Folder)
               : first.startsWith(kShellSuffix)
                   ? shell.icon(QFileInfo(QStringLiteral("quorvane-icon.") + first.mid(kShellSuffix.size())))
                   : shell.icon(QAbstractFileIconProvider::File);
        if (!icon.isNull())
            return icon;
#endif
        for (const QString& name : std::as_const(m_iconNames.at(index))) {
            icon = QIcon::fromTheme(name);
            if (!icon.isNull())
                break;
        }
    }
    return icon;
}
