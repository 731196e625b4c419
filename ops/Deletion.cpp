#include "ops/Deletion.h"

#include "core/CommandError.h"
#include "ops/NameParts.h"
#include "ops/TextElements.h"

#include <algorithm>

namespace {

const QString& SourceName(const RenameEntry& entry, DeletionMode mode)
{
    return mode == DeletionMode::Continue ? entry.newName : entry.currentName;
}

QString NothingToDeleteReason(int row, const QString& name)
{
    return QStringLiteral("%1行目の「%2」は拡張子の前に削除できる文字がありません")
        .arg(QString::number(row + 1), name);
}

} // namespace

bool AnyNewNameSet(const RenameList& list)
{
    const QList<RenameEntry>& rows = list.rows();
    return std::any_of(rows.cbegin(), rows.cend(),
                       [](const RenameEntry& entry) { return !entry.newName.isEmpty(); });
}

DeletionMode LeftClickDeletionMode(const RenameList& list)
{
    return AnyNewNameSet(list) ? DeletionMode::Continue : DeletionMode::Restart;
}

QString WithoutFirstCharacter(const QString& name)
{
    return name.mid(FirstCharacterLength(name));
}

std::optional<QString> WithoutLastBaseCharacter(const QString& name)
{
    const NameParts parts = SplitName(name);
    if (parts.base.isEmpty() && !parts.dotExtension.isEmpty())
        return std::nullopt;
    QString result = parts.base;
    result.chop(LastCharacterLength(parts.base));
    result += parts.dotExtension;
    return result;
}

void DeleteFirstCharacter(RenameList& list, DeletionMode mode)
{
    const int rows = list.count();
    RenameList::EditScope scope(list);
    for (int row = 0; row < rows; ++row) {
        const QString& source = SourceName(list.at(row), mode);
        if (source.isEmpty())
            continue;
        scope.row(row).newName = WithoutFirstCharacter(source);
    }
}

void DeleteLastCharacter(RenameList& list, DeletionMode mode, FailingRow onFailure)
{
    const int rows = list.count();
    RenameList::EditScope scope(list);
    for (int row = 0; row < rows; ++row) {
        const QString& source = SourceName(list.at(row), mode);
        if (source.isEmpty())
            continue;
        std::optional<QString> shortened = WithoutLastBaseCharacter(source);
        if (!shortened) {
            if (onFailure == FailingRow::Skip)
                continue;
            throw CommandError(NothingToDeleteReason(row, source));
        }
        scope.row(row).newName = std::move(*shortened);
    }
}
