#include "intake/PathIntake.h"

#include "core/Paths.h"

#include <QFileInfo>

bool IsUndecodablePath(const QString& path)
{
    return path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path);
}

IntakeResult IntakePaths(RenameList& list, const QStringList& paths,
                         const std::function<bool()>& addFolderAsRow, bool includeSubfolders,
                         FolderLister& lister, IconIndexer& icons)
{
    IntakeResult result;
    for (const QString& path : paths) {
        if (IsUndecodablePath(path)) {
            ++result.undecodable;
            continue;
        }
        if (IsExistingFolder(path) && !addFolderAsRow()) {
            result.undecodable +=
                ScanFolder(list, path, QStringLiteral("*.*"), includeSubfolders, lister, icons).undecodable;
            continue;
        }
        if (!IsPathListed(list, path))
            AddPathRow(list, path, icons);
    }
    return result;
}
