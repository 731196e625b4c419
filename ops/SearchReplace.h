#pragma once
// Search and replace in names.

#include "core/RenameList.h"
#include "ops/RowRewrite.h"

#include <QString>

enum class MatchCase {
    Exact,
    IgnoreCase, // letters match under Unicode case folding
};

[[nodiscard]] inline MatchCase MatchCaseOfTick(bool ignoreCaseTicked)
{
    return ignoreCaseTicked ? MatchCase::IgnoreCase : MatchCase::Exact;
}

enum class ReplaceScope {
    WholeName,
    SpareExtension, // the base name only, the extension kept
};

// Replaces every occurrence of search in name, scanning from left to right:
// after a match the scan goes on behind the matched text, so matches never
// overlap and inserted text is never searched again. An empty search matches
// nowhere; an empty replacement deletes the matches. With IgnoreCase the
// inserted text is the replacement as typed and the rest keeps its case.
// SpareExtension replaces in the text before the last "." only (the split of
// BaseNameOf and DotExtensionOf): a name without a dot is all base name, and
// ".profile" has nothing to replace in.
[[nodiscard]] QString ReplaceInName(const QString& name, const QString& search, const QString& replacement,
                                    MatchCase matchCase, ReplaceScope scope);

// Rewrites every row's new name from its source name.
void ReplaceInNames(RenameList& list, const QString& search, const QString& replacement, MatchCase matchCase,
                    ReplaceScope scope, NameSource source = NameSource::CurrentName);
