#pragma once
// Gives every row the extension that fits its file's content.

#include "core/RenameList.h"
#include "core/RenameWalk.h"
#include "core/Services.h"
#include "ops/RowRewrite.h"

#include <QString>

// The new name for a detector answer: the base name with the first extension
// of a comma-separated list, or the marker when the answer is "?".
[[nodiscard]] QString NameWithDetectedExtension(const QString& currentName, const QString& answer);

// The command: asks the detector about every row's file once and gives the
// row's source name the answer's extension. Throws CommandError before
// touching any row when the detector is not available.
void DetectExtension(RenameList& list, TypeDetector& detector, NameSource source = NameSource::CurrentName);
