#pragma once
// Case conversion (buttons "大文字" and "小文字", popup menus mnuU and mnuL).
// Every variant computes the new name from the current name, so variants never
// build on one another.

#include "core/RenameList.h"

#include <QString>
#include <QStringView>

#include <optional>

// In the order of the items of the popup menu "大文字".
enum class UpperCaseVariant {
    AllCharacters = 0,      // "全文字(&E)"
    FirstCharacterOnly = 1, // "先頭のみ(&T)": first character upper, all the rest lower
    BaseNameOnly = 2,       // "ファイル名(&F)"
    ExtensionOnly = 3,      // "拡張子(&E)"
};
inline constexpr int UpperCaseVariantCount = 4;

// In the order of the items of the popup menu "小文字".
enum class LowerCaseVariant {
    AllCharacters = 0, // "全文字(&A)"
    ExtensionOnly = 1, // "拡張子(&E)"
};
inline constexpr int LowerCaseVariantCount = 2;

// Simple Unicode case mapping, one code point at a time, so the name keeps its
// length: "ß" and "ﬁ" stay as they are when upper-cased, "İ" lower-cases to
// "i". Characters without case pass through.
[[nodiscard]] QString ToUpperPerCharacter(QStringView text);
[[nodiscard]] QString ToLowerPerCharacter(QStringView text);

[[nodiscard]] QString UpperCaseName(const QString& name, UpperCaseVariant variant);
[[nodiscard]] QString LowerCaseName(const QString& name, LowerCaseVariant variant);

// Rewrite every row's new name from its current name.
void ApplyUpperCase(RenameList& list, UpperCaseVariant variant);
void ApplyLowerCase(RenameList& list, LowerCaseVariant variant);

// The popup menus: item indexes map to variants; an unknown index does
// nothing and answers false. Choosing an item never moves a button's cycle.
[[nodiscard]] std::optional<UpperCaseVariant> UpperCaseVariantOfMenuItem(int item);
[[nodiscard]] std::optional<LowerCaseVariant> LowerCaseVariantOfMenuItem(int item);
bool ApplyUpperCaseMenuItem(RenameList& list, int item);
bool ApplyLowerCaseMenuItem(RenameList& list, int item);

// Captions and highlight hints of the popup items.
[[nodiscard]] QString UpperCaseMenuTitle();
[[nodiscard]] QString UpperCaseMenuCaption(UpperCaseVariant variant);
[[nodiscard]] QString UpperCaseMenuHint(UpperCaseVariant variant);
[[nodiscard]] QString LowerCaseMenuTitle();
[[nodiscard]] QString LowerCaseMenuCaption(LowerCaseVariant variant);
[[nodiscard]] QString LowerCaseMenuHint(LowerCaseVariant variant);

// The upper-case button: each click applies the variant it shows and moves on
// through all characters, first character, base name, extension, and round.
// Kept in memory by the window; starts at all characters.
class UpperCaseCycle {
public:
    [[nodiscard]] UpperCaseVariant nextVariant() const { return m_next; }
    // The hover hint for the variant the next click applies.
    [[nodiscard]] QString hoverHint() const;
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
    [[nodiscard]] QString hoverHint() const;
    void click(RenameList& list);
    void advance();

private:
    LowerCaseVariant m_next = LowerCaseVariant::AllCharacters;
};
