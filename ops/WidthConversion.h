#pragma once
// Width conversion (button "半角/全角"): half-width and full-width forms of
// the characters Japanese names mix.
//
// Our own tables, one character at a time:
//   ASCII "!" to "~" (U+0021..U+007E)  <->  U+FF01..U+FF5E
//   space U+0020                       <->  ideographic space U+3000
//   half-width katakana and punctuation U+FF61..U+FF9F  <->  their full forms
//     (｡｢｣､･ｰ and ｧ..ﾝ, ﾞ ﾟ <-> ゛ ゜); a half-width kana followed by ﾞ or
//     ﾟ joins into one voiced kana (ｶﾞ -> ガ, ﾊﾟ -> パ, ｳﾞ -> ヴ, ﾜﾞ -> ヷ,
//     ｦﾞ -> ヺ), and narrowing splits them again; a combining voiced mark
//     (U+3099, U+309A) after a narrowed katakana becomes ﾞ or ﾟ
//   ¢ £ ¬ ¯ ¦ ¥ ₩                       <->  U+FFE0..U+FFE6
// Not converted: hiragana, kanji, katakana without a half-width form (ヮ ヰ ヱ
// ヵ ヶ ヸ ヹ ヽ ヾ), the wave dash 〜 (U+301C), minus sign, brackets such as
// 『』【】, the white parentheses U+FF5F/U+FF60, the half-width forms
// U+FFE8..U+FFEE, letters outside ASCII and everything beyond the BMP.

#include "core/RenameList.h"
#include "ops/RowRewrite.h"

#include <QString>
#include <QStringView>

// The plain mappings of the tables above.
[[nodiscard]] QString NarrowWidth(QStringView text);
[[nodiscard]] QString WidenWidth(QStringView text);

// Narrowing after three exact replacements: "￥" -> "\", U+201D -> U+0022,
// "’" (U+2019) -> "'".
[[nodiscard]] QString ToHalfWidth(QStringView text);
// Widening with the mirror replacements taking the place of plain widening for
// those three: "\" -> "￥", U+0022 -> U+201D, "'" -> "’".
[[nodiscard]] QString ToFullWidth(QStringView text);

// ToHalfWidth of the whole name, extension included.
[[nodiscard]] QString HalfWidthName(const QString& name);
// ToFullWidth of the base name, followed by the extension plainly narrowed: the
// extension never becomes full width. Only an ASCII "." starts an extension.
[[nodiscard]] QString FullWidthName(const QString& name);

// The same two conversions limited to ASCII "!" to "~", the space and the
// three replacements: kana, Japanese punctuation (、。「」・ー and their
// half-width forms) and the other symbols stay as they are. A "/" that
// narrowing makes is left for the preview to point out, as with HalfWidthName.
[[nodiscard]] QString NarrowAlphanumericsName(const QString& name);
[[nodiscard]] QString WidenAlphanumericsName(const QString& name);

enum class WidthStep {
    HalfWidth,
    FullWidth,
};

// Rewrites every row's new name from its source name.
void ApplyWidthStep(RenameList& list, WidthStep step, NameSource source = NameSource::CurrentName);
// The button's right-click menu: the step limited to letters, digits and symbols.
void ApplyAlphanumericWidth(RenameList& list, WidthStep step, NameSource source = NameSource::CurrentName);

// The button alternates between the two steps, starting with half width each
// time the program starts. Kept in memory by the window.
class WidthStepToggle {
public:
    [[nodiscard]] WidthStep nextStep() const { return m_next; }
    // Applies the step, then switches (also for an empty list). Should the
    // walk throw, the step stays.
    void click(RenameList& list);
    void advance();

private:
    WidthStep m_next = WidthStep::HalfWidth;
};
