#include "ops/PropertyNames.h"

#include "core/Paths.h"
#include "ops/ForbiddenCharacters.h"

namespace {

bool IsWholeNumber(QStringView text)
{
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')))
        text = text.mid(1);
    if (text.isEmpty())
        return false;
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    }
    return true;
}

// "." and ".." name the folder itself or its parent, never a file.
bool IsUsableName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..");
}

using Compose = std::optional<QString> (*)(const QString& name, const QString& value);

void NameFromProperty(RenameList& list, DetailSource& details, const QString& header, Compose compose,
                      NameSource source)
{
    const int rows = list.count();
    RenameList::EditScope scope(list);
    for (int row = 0; row < rows; ++row) {
        const RenameEntry& entry = scope.visit(row);
        const QString value = details.detailByHeader(entry.folder, entry.currentName, header);
        if (std::optional<QString> name = compose(SourceNameOf(entry, source), value))
            scope.row(row).newName = std::move(*name);
    }
}

} // namespace

QString FormatTrackNumber(const QString& value)
{
    const QString trimmed = value.trimmed();
    if (!IsWholeNumber(trimmed))
        return value;
    bool ok = false;
    const qlonglong number = trimmed.toLongLong(&ok);
    if (!ok)
        return value; // too long for a number: keep the text as it is
    const QString digits = QString::number(qAbs(number)).rightJustified(2, QLatin1Char('0'));
    return number < 0 ? QLatin1Char('-') + digits : digits;
}

std::optional<QString> NameFromTitleValue(const QString& name, const QString& title)
{
    const QString cleaned = CleanGeneratedText(title);
    if (cleaned.isEmpty())
        return std::nullopt;
    QString titled = cleaned + DotExtensionOf(name);
    if (!IsUsableName(titled))
        return std::nullopt;
    return titled;
}

std::optional<QString> NameFromTrackValue(const QString& name, const QString& track)
{
    if (track.isEmpty())
        return std::nullopt;
    // A number passes unchanged; other text could carry a separator and turn
    // the name into a path, so it is cleaned like a title.
    const QString formatted = CleanGeneratedText(FormatTrackNumber(track));
    if (formatted.isEmpty())
        return std::nullopt;
    return formatted + QLatin1Char('_') + name;
}

void NameFromTitle(RenameList& list, DetailSource& details, NameSource source)
{
    NameFromProperty(list, details, TitleHeader(), NameFromTitleValue, source);
}

void NameFromTrackNumber(RenameList& list, DetailSource& details, NameSource source)
{
    NameFromProperty(list, details, TrackNumberHeader(), NameFromTrackValue, source);
}
