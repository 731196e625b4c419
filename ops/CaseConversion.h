#pragma once
// Case conversion. Every variant computes the new name from the row's source
// name (the current name unless operations are chained), so variants never
// build on one another by themselves.

#include "core/RenameList.h"
#include "ops/RowRewrite.h"

#include <QString>
#include <QStringView>

// In the order the upper-case cycle steps through them.
enum class UpperCaseVariant {
    AllCharacters,
    FirstCharacterOnly, // first character upper, all the rest lower
    BaseNameOnly,       // the text before the last dot
    ExtensionOnly,      // the text after the last dot
};
inline constexpr int UpperCaseVariantCount = 4;

// In the order the lower-case cycle steps through them.
enum class LowerCaseVariant {
    AllCharacters,
    ExtensionOnly,
};
inline constexpr int LowerCaseVariantCount = 2;

// Simple Unicode case mapping, one code point at a time, so the name keeps its
// length: "ß" and "ﬁ" stay as they are when upper-cased, "İ" lower-cases to
// "i". Characters without case pass through.
[[nodiscard]] QString ToUpperPerCharacter(QStringView text);
[[nodiscard]] QString ToLowerPerCharacter(QStringView text);

[[nodiscard]] QString UpperCaseName(const QString& name, UpperCaseVariant variant);
[[nodiscard]] QString LowerCaseName(const QString& name, LowerCaseVariant variant);

// Rewrite every row's new name from its source name.
void ApplyUpperCase(RenameList& list, UpperCaseVariant variant, NameSource source = NameSource::CurrentName);
void ApplyLowerCase(RenameList& list, LowerCaseVariant variant, NameSource source = NameSource::CurrentName);

// The upper-case button: each click applies the variant it shows and moves on
// through all characters, first character, base name, extension, and round.
// Kept in memory by the window; starts at all characters.
class UpperCaseCycle {
public:
    [[nodiscard]] UpperCaseVariant nextVariant() const { return m_next; }
    // Applies the variant, then advances (also for an empty list). Should the
    // walk throw, the cycle stays where it was.
    void click(RenameList& list);
    void advance();

private:
    UpperCaseVariant m_next = UpperCaseVariant::AllCharacters;
};

// The lower-case button: all characters, extension, and round.
class LowerCaseCycle {
public:
    [[nodiscard]] LowerCaseVariant nextVariant() const { return m_next; }
    void click(RenameList& list);
    void advance();

private:
    LowerCaseVariant m_next = LowerCaseVariant::AllCharacters;
};
