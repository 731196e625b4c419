#pragma once
// Search and replace in names.

#include "core/RenameList.h"
#include "ops/RowRewrite.h"

#include <QList>
#include <QRegularExpression>
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

// A regular-expression replace (QRegularExpression: PCRE2, Unicode properties
// on), checked when it is made and then applied to any number of names.
// In the replacement \1 to \9 and $1 to $9 stand for a group, \0 and $0 for
// the whole match, ${name} and ${12} for a named or any numbered group;
// "\\" gives "\" and "$$" gives "$"; a "\" or "$" before anything else is
// itself.
// A group that took no part in the match gives nothing.
class RegexReplace {
public:
    // Throws CommandError, in Japanese, when the pattern does not compile or
    // the replacement refers to a group the pattern lacks.
    RegexReplace(const QString& pattern, const QString& replacement, MatchCase matchCase);

    // Replaces every match from left to right: matches never overlap and
    // inserted text is never searched again. A match of no length (^, $, \b)
    // inserts once at its place, and the search goes on one character (a
    // surrogate pair is one) further. An empty pattern matches nowhere, as in
    // ReplaceInName. The scope is ReplaceInName's; like it, the result is not
    // cleaned: a "/" typed into the replacement stays, and the preview marks
    // the row.
    [[nodiscard]] QString replaceInName(const QString& name, ReplaceScope scope) const;

private:
    // A piece of the replacement: literal text, or the group it refers to.
    struct Piece {
        QString text{};
        int group = -1;
        QString groupName{};
    };
    [[nodiscard]] QString replaceAll(const QString& text) const;
    [[nodiscard]] QString expand(const QRegularExpressionMatch& match) const;

    QRegularExpression m_expression;
    QList<Piece> m_pieces;
};

// Rewrites every row's new name from its source name. The pattern and the
// replacement are checked first: a CommandError leaves every row as it was.
void ReplaceRegexInNames(RenameList& list, const QString& pattern, const QString& replacement,
                         MatchCase matchCase, ReplaceScope scope,
                         NameSource source = NameSource::CurrentName);
