#pragma once
// New names from a file's media properties: its title in place of the base
// name, or its track number in front of the whole name.

#include "core/RenameList.h"
#include "core/Services.h"
#include "ops/RowRewrite.h"

#include <QString>

#include <optional>

// Detail-column headers the property commands and the insertion template ask for.
[[nodiscard]] inline QString TitleHeader()
{
    return QStringLiteral("タイトル");
}
[[nodiscard]] inline QString TrackNumberHeader()
{
    return QStringLiteral("トラック番号");
}
[[nodiscard]] inline QString ArtistHeader()
{
    return QStringLiteral("アーティスト");
}

// A track value that is a whole number gets at least two digits ("7" gives
// "07", "-3" gives "-03", "123" stays); any other text comes back unchanged.
[[nodiscard]] QString FormatTrackNumber(const QString& value);

// The cleaned title followed by the name's extension; nothing when the title
// cleans down to no usable name, so that the row keeps its new name.
[[nodiscard]] std::optional<QString> NameFromTitleValue(const QString& name, const QString& title);
// The track with at least two digits, "_", then the whole name; nothing when
// the file has no track number.
[[nodiscard]] std::optional<QString> NameFromTrackValue(const QString& name, const QString& track);

// The commands: every row with a value gets a new name, the others keep theirs.
// The value is the file's own; the name it joins is the row's source name.
void NameFromTitle(RenameList& list, DetailSource& details, NameSource source = NameSource::CurrentName);
void NameFromTrackNumber(RenameList& list, DetailSource& details,
                         NameSource source = NameSource::CurrentName);
