#include "ops/SearchReplace.h"

#include "ops/NameParts.h"
#include "ops/RowRewrite.h"

namespace {

QString ReplaceAll(const QString& text, const QString& search, const QString& replacement,
                   MatchCase matchCase)
{
    if (search.isEmpty())
        return text;
    // Qt's case-insensitive search folds one code point against one, so a
    // match always spans search.size() units of text.
    const Qt::CaseSensitivity sensitivity =
        matchCase == MatchCase::IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    qsizetype hit = text.indexOf(search, 0, sensitivity);
    if (hit < 0)
        return text;
    const QStringView view(text);
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (; hit >= 0; hit = text.indexOf(search, from, sensitivity)) {
        result += view.sliced(from, hit - from);
        result += replacement;
        from = hit + search.size();
    }
    result += view.sliced(from);
    return result;
}

} // namespace

QString ReplaceInName(const QString& name, const QString& search, const QString& replacement,
                      MatchCase matchCase, ReplaceScope scope)
{
    if (scope == ReplaceScope::WholeName)
        return ReplaceAll(name, search, replacement, matchCase);
    const NameParts parts = SplitName(name);
    return ReplaceAll(parts.base, search, replacement, matchCase) + parts.dotExtension;
}

void ReplaceInNames(RenameList& list, const QString& search, const QString& replacement, MatchCase matchCase,
                    ReplaceScope scope, NameSource source)
{
    RewriteNewNames(list, source, [&](const QString& name) {
        return ReplaceInName(name, search, replacement, matchCase, scope);
    });
}
