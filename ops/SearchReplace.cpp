#include "ops/SearchReplace.h"

#include "core/CommandError.h"
#include "ops/NameParts.h"
#include "ops/PatternErrorText.h"
#include "ops/RowRewrite.h"

#include <algorithm>
#include <utility>

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

QString ReplacementError(const QString& why)
{
    return QStringLiteral("置換文字列の%1ため、置換しませんでした。置換文字列を直してください。").arg(why);
}

QString ReferenceError(const QString& written)
{
    return ReplacementError(QStringLiteral("「%1」が指すグループが検索文字列にない").arg(written));
}

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The length of the character at `at`: 2 for a surrogate pair, else 1.
qsizetype CharacterLengthAt(const QString& text, qsizetype at)
{
    const bool pair =
        text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
    return pair ? 2 : 1;
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

RegexReplace::RegexReplace(const QString& pattern, const QString& replacement, MatchCase matchCase)
    : m_expression(pattern, matchCase == MatchCase::IgnoreCase
                                ? QRegularExpression::UseUnicodePropertiesOption |
                                      QRegularExpression::CaseInsensitiveOption
                                : QRegularExpression::UseUnicodePropertiesOption)
{
    if (!m_expression.isValid()) {
        throw CommandError(QStringLiteral("正規表現が正しくないため、置換しませんでした。%1。"
                                          "表示された位置のあたりの検索文字列を直してください。")
                               .arg(PatternErrorText(m_expression)));
    }
    const int groups = m_expression.captureCount();
    const QStringList names = m_expression.namedCaptureGroups();
    QString literal;
    const auto refer = [&](const QString& written, int group, const QString& name) {
        if (group > groups || (group < 0 && (name.isEmpty() || !names.contains(name))))
            throw CommandError(ReferenceError(written));
        if (!literal.isEmpty())
            m_pieces.append({.text = std::exchange(literal, {})});
        m_pieces.append({.group = group, .groupName = name});
    };
    const QLatin1Char backslash('\\'), dollar('$');
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        const QChar next = i + 1 < replacement.size() ? replacement.at(i + 1) : QChar();
        if ((c == backslash || c == dollar) && next == c) {
            literal += c;
            ++i;
        } else if ((c == backslash || c == dollar) && IsAsciiDigit(next)) {
            refer(replacement.sliced(i, 2), next.digitValue(), {});
            ++i;
        } else if (c == dollar && next == QLatin1Char('{')) {
            const qsizetype close = replacement.indexOf(QLatin1Char('}'), i + 2);
            if (close < 0)
                throw CommandError(ReplacementError(QStringLiteral("「${」を閉じる「}」がない")));
            const QString inside = replacement.sliced(i + 2, close - i - 2);
            bool number = std::all_of(inside.cbegin(), inside.cend(), IsAsciiDigit) && !inside.isEmpty();
            const int group = number ? inside.toInt(&number) : -1;
            refer(replacement.sliced(i, close - i + 1), number ? group : -1, number ? QString() : inside);
            i = close;
        } else {
            literal += c;
        }
    }
    if (!literal.isEmpty())
        m_pieces.append({.text = literal});
}

QString RegexReplace::expand(const QRegularExpressionMatch& match) const
{
    QString text;
    for (const Piece& piece : m_pieces) {
        if (piece.group >= 0)
            text += match.captured(piece.group);
        else if (!piece.groupName.isEmpty())
            text += match.captured(piece.groupName);
        else
            text += piece.text;
    }
    return text;
}

QString RegexReplace::replaceAll(const QString& text) const
{
    if (m_expression.pattern().isEmpty())
        return text;
    const QStringView view(text);
    QString result;
    qsizetype copied = 0; // the text before it is in result
    for (qsizetype from = 0; from <= text.size();) {
        const QRegularExpressionMatch match = m_expression.match(text, from);
        if (!match.hasMatch())
            break;
        const qsizetype start = match.capturedStart(), end = match.capturedEnd();
        result += view.sliced(copied, start - copied);
        result += expand(match);
        copied = end;
        if (end > start)
            from = end;
        else if (start < text.size())
            from = start + CharacterLengthAt(text, start);
        else
            break;
    }
    result += view.sliced(copied);
    return result;
}

QString RegexReplace::replaceInName(const QString& name, ReplaceScope scope) const
{
    if (scope == ReplaceScope::WholeName)
        return replaceAll(name);
    const NameParts parts = SplitName(name);
    return replaceAll(parts.base) + parts.dotExtension;
}

void ReplaceRegexInNames(RenameList& list, const QString& pattern, const QString& replacement,
                         MatchCase matchCase, ReplaceScope scope, NameSource source)
{
    const RegexReplace regex(pattern, replacement, matchCase);
    RewriteNewNames(list, source,
                    [&regex, scope](const QString& name) { return regex.replaceInName(name, scope); });
}
