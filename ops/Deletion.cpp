#include "ops/Deletion.h"

#include "core/CommandError.h"
#include "ops/NameParts.h"
#include "ops/TextElements.h"

#include <QLocale>

#include <algorithm>

namespace {

QString SourceName(const RenameEntry& entry, DeletionMode mode, NameSource source)
{
    if (mode == DeletionMode::Restart)
        return entry.currentName;
    return source == NameSource::NewNameWhereSet ? SourceNameOf(entry, source) : entry.newName;
}

QString NothingToDeleteReason(int row, const QString& name)
{
    return QStringLiteral(
               "%1 行目の「%2」は拡張子の前に削除できる文字がないため、ここで止めました。"
               "この行から後の行は変えていません。右クリックで削除すると、この行を飛ばして続けます。")
        .arg(QLocale(QLocale::Japanese).toString(row + 1), name);
}

// The walk both deletions share: every row with a name to shorten gets the
// shortened name, in one edit; a row `shorten` gives nothing for is left alone.
template <class Shorten>
void ShortenEveryName(RenameList& list, DeletionMode mode, NameSource source, Shorten&& shorten)
{
    const int rows = list.count();
    RenameList::EditScope scope(list);
    for (int row = 0; row < rows; ++row) {
        const QString name = SourceName(scope.visit(row), mode, source);
        if (name.isEmpty())
            continue;
        if (std::optional<QString> shortened = shorten(row, name))
            scope.row(row).newName = std::move(*shortened);
    }
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

void DeleteFirstCharacter(RenameList& list, DeletionMode mode, NameSource source)
{
    ShortenEveryName(list, mode, source,
                     [](int, const QString& name) { return WithoutFirstCharacter(name); });
}

void DeleteLastCharacter(RenameList& list, DeletionMode mode, FailingRow onFailure, NameSource source)
{
    ShortenEveryName(list, mode, source, [onFailure](int row, const QString& name) {
        std::optional<QString> shortened = WithoutLastBaseCharacter(name);
        if (!shortened && onFailure == FailingRow::StopWalk)
            throw CommandError(NothingToDeleteReason(row, name));
        return shortened;
    });
}
