#include "ops/CaseConversion.h"

#include "ops/NameParts.h"
#include "ops/RowRewrite.h"

namespace {

char32_t UpperOf(char32_t codePoint)
{
    return QChar::toUpper(codePoint);
}

char32_t LowerOf(char32_t codePoint)
{
    // Qt keeps "İ" because its full lower-case form is two code points; its
    // simple mapping in the Unicode data is a plain "i".
    if (codePoint == 0x0130)
        return U'i';
    return QChar::toLower(codePoint);
}

// Maps every code point of text, keeping a mapped character only when it
// takes as many UTF-16 units as the original, so lengths and the positions of
// dots never move. Unpaired surrogates pass through.
template <class Mapping> QString MapPerCodePoint(QStringView text, Mapping map)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text.at(i);
        if (unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t mapped = map(QChar::surrogateToUcs4(unit, text.at(i + 1)));
            if (QChar::requiresSurrogates(mapped)) {
                result += QChar(QChar::highSurrogate(mapped));
                result += QChar(QChar::lowSurrogate(mapped));
            } else {
                result += unit;
                result += text.at(i + 1);
            }
            ++i;
            continue;
        }
        const char32_t mapped = map(unit.unicode());
        result += QChar::requiresSurrogates(mapped) ? unit : QChar(static_cast<char16_t>(mapped));
    }
    return result;
}

// Length of the first code point: two units for a surrogate pair.
qsizetype FirstCodePointLength(QStringView text)
{
    if (text.size() >= 2 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate())
        return 2;
    return qMin<qsizetype>(text.size(), 1);
}

} // namespace

QString ToUpperPerCharacter(QStringView text)
{
    return MapPerCodePoint(text, UpperOf);
}

QString ToLowerPerCharacter(QStringView text)
{
    return MapPerCodePoint(text, LowerOf);
}

QString UpperCaseName(const QString& name, UpperCaseVariant variant)
{
    switch (variant) {
    case UpperCaseVariant::AllCharacters:
        return ToUpperPerCharacter(name);
    case UpperCaseVariant::FirstCharacterOnly: {
        const qsizetype first = FirstCodePointLength(name);
        const QStringView view(name);
        return ToUpperPerCharacter(view.first(first)) + ToLowerPerCharacter(view.sliced(first));
    }
    case UpperCaseVariant::BaseNameOnly: {
        const NameParts parts = SplitName(name);
        return ToUpperPerCharacter(parts.base) + parts.dotExtension;
    }
    case UpperCaseVariant::ExtensionOnly: {
        const NameParts parts = SplitName(name);
        return parts.base + ToUpperPerCharacter(parts.dotExtension);
    }
    }
    return name;
}

QString LowerCaseName(const QString& name, LowerCaseVariant variant)
{
    switch (variant) {
    case LowerCaseVariant::AllCharacters:
        return ToLowerPerCharacter(name);
    case LowerCaseVariant::ExtensionOnly: {
        const NameParts parts = SplitName(name);
        return parts.base + ToLowerPerCharacter(parts.dotExtension);
    }
    }
    return name;
}

void ApplyUpperCase(RenameList& list, UpperCaseVariant variant, NameSource source)
{
    RewriteNewNames(list, source, [variant](const QString& name) { return UpperCaseName(name, variant); });
}

void ApplyLowerCase(RenameList& list, LowerCaseVariant variant, NameSource source)
{
    RewriteNewNames(list, source, [variant](const QString& name) { return LowerCaseName(name, variant); });
}

void UpperCaseCycle::click(RenameList& list)
{
    ApplyUpperCase(list, m_next);
    advance();
}

void UpperCaseCycle::advance()
{
    m_next = static_cast<UpperCaseVariant>((static_cast<int>(m_next) + 1) % UpperCaseVariantCount);
}

void LowerCaseCycle::click(RenameList& list)
{
    ApplyLowerCase(list, m_next);
    advance();
}

void LowerCaseCycle::advance()
{
    m_next = static_cast<LowerCaseVariant>((static_cast<int>(m_next) + 1) % LowerCaseVariantCount);
}
