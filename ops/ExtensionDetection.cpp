#include "ops/ExtensionDetection.h"

#include "core/CommandError.h"
#include "core/Paths.h"

QString NameWithDetectedExtension(const QString& currentName, const QString& answer)
{
    if (answer == QLatin1String("?"))
        return DetectionFailureMarker();
    const qsizetype comma = answer.indexOf(QLatin1Char(','));
    const QStringView best = comma < 0 ? QStringView(answer) : QStringView(answer).left(comma);
    return BaseNameOf(currentName) + QLatin1Char('.') + best;
}

void DetectExtension(RenameList& list, TypeDetector& detector, NameSource source)
{
    const int rows = list.count();
    if (rows == 0)
        return;
    if (!detector.isAvailable())
        throw CommandError(
            QStringLiteral("ファイルの種類のデータベースを読み込めないため、拡張子を判別できませんでした。"
                           "Debian では「sudo apt install libmagic-mgc」で入ります。"));
    RenameList::EditScope scope(list);
    for (int row = 0; row < rows; ++row) {
        const RenameEntry& entry = list.at(row);
        const QString answer = detector.extensionsOf(FullPathOf(entry));
        scope.row(row).newName = NameWithDetectedExtension(SourceNameOf(entry, source), answer);
    }
}
