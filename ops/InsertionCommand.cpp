#include "ops/InsertionCommand.h"

#include "core/RenameList.h"
#include "ops/ForbiddenCharacters.h"
#include "ops/InsertionHistory.h"

void ApplyInsertion(RenameList& list, InsertionKind kind, const QString& text, DetailSource& details,
                    const InsertionClock& clock, const QLocale& locale, NameSource source)
{
    if (text.isEmpty())
        return;
    const InsertionTemplate insertion = ParseInsertionTemplate(text);
    const DateLocale dateLocale(locale);
    const int count = list.count();
    RenameList::EditScope scope(list);
    for (int row = 0; row < count; ++row) {
        const RenameEntry& entry = list.at(row);
        KeptNameReason missing = KeptNameReason::None;
        const QString generated = ExpandInsertionTemplate(insertion, row + 1, entry.folder, entry.currentName,
                                                          clock, details, dateLocale, &missing);
        if (missing != KeptNameReason::None) {
            scope.row(row).keptReason = missing; // the new name stays; the preview tells why
            continue;
        }
        const QString newName =
            ComposeInsertedName(kind, SourceNameOf(entry, source), CleanGeneratedText(generated));
        scope.row(row).newName = newName;
    }
}

void RunInsertionCommand(RenameList& list, InsertionKind kind, const QString& text, QStringList& history,
                         DetailSource& details, const InsertionClock& clock, const QLocale& locale,
                         NameSource source)
{
    if (text.isEmpty())
        return;
    try {
        ApplyInsertion(list, kind, text, details, clock, locale, source);
    } catch (...) {
        RememberInsertionText(history, text);
        throw;
    }
    RememberInsertionText(history, text);
}
