#include "ops/WidthConversion.h"

#include "ops/NameParts.h"
#include "ops/RowRewrite.h"

#include <array>
#include <string_view>

namespace {

constexpr char16_t HalfKatakanaFirst = 0xFF61;
constexpr char16_t HalfKatakanaLast = 0xFF9F;
constexpr char16_t HalfVoicedMark = 0xFF9E;
constexpr char16_t HalfSemiVoicedMark = 0xFF9F;
constexpr char16_t AsciiToFullOffset = 0xFEE0;

// Full forms of U+FF61..U+FF9F, in code order.
constexpr std::u16string_view FullOfHalfKatakana =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
    u"タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(FullOfHalfKatakana.size() == HalfKatakanaLast - HalfKatakanaFirst + 1);

struct Composition {
    char16_t base;
    char16_t mark; // half-width ﾞ or ﾟ
    char16_t composed;
};

// The voiced and semi-voiced katakana that a half-width spelling can reach.
constexpr Composition VoicedKatakana[] = {
    {u'カ', HalfVoicedMark, u'ガ'},     {u'キ', HalfVoicedMark, u'ギ'},
    {u'ク', HalfVoicedMark, u'グ'},     {u'ケ', HalfVoicedMark, u'ゲ'},
    {u'コ', HalfVoicedMark, u'ゴ'},     {u'サ', HalfVoicedMark, u'ザ'},
    {u'シ', HalfVoicedMark, u'ジ'},     {u'ス', HalfVoicedMark, u'ズ'},
    {u'セ', HalfVoicedMark, u'ゼ'},     {u'ソ', HalfVoicedMark, u'ゾ'},
    {u'タ', HalfVoicedMark, u'ダ'},     {u'チ', HalfVoicedMark, u'ヂ'},
    {u'ツ', HalfVoicedMark, u'ヅ'},     {u'テ', HalfVoicedMark, u'デ'},
    {u'ト', HalfVoicedMark, u'ド'},     {u'ハ', HalfVoicedMark, u'バ'},
    {u'ヒ', HalfVoicedMark, u'ビ'},     {u'フ', HalfVoicedMark, u'ブ'},
    {u'ヘ', HalfVoicedMark, u'ベ'},     {u'ホ', HalfVoicedMark, u'ボ'},
    {u'ウ', HalfVoicedMark, u'ヴ'},     {u'ワ', HalfVoicedMark, u'ヷ'},
    {u'ヲ', HalfVoicedMark, u'ヺ'},     {u'ハ', HalfSemiVoicedMark, u'パ'},
    {u'ヒ', HalfSemiVoicedMark, u'ピ'}, {u'フ', HalfSemiVoicedMark, u'プ'},
    {u'ヘ', HalfSemiVoicedMark, u'ペ'}, {u'ホ', HalfSemiVoicedMark, u'ポ'},
};

struct SymbolPair {
    char16_t half;
    char16_t full;
};

constexpr SymbolPair Symbols[] = {
    {u'¢', u'￠'}, {u'£', u'￡'}, {u'¬', u'￢'}, {u'¯', u'￣'}, {u'¦', u'￤'}, {u'¥', u'￥'}, {u'₩', u'￦'},
};

// A narrowed character takes one or two half-width units; 0 means none.
struct HalfSpelling {
    char16_t first = 0;
    char16_t second = 0;
};

// Half-width spellings of U+3000..U+30FF, built once from the tables above so
// the two directions cannot disagree.
constexpr char16_t CjkBlockFirst = 0x3000;
using CjkNarrowTable = std::array<HalfSpelling, 0x100>;

const CjkNarrowTable& CjkNarrowing()
{
    static const CjkNarrowTable table = [] {
        CjkNarrowTable result{};
        result[0] = {u' ', 0};
        for (std::size_t i = 0; i < FullOfHalfKatakana.size(); ++i) {
            const auto half = static_cast<char16_t>(HalfKatakanaFirst + i);
            result[FullOfHalfKatakana[i] - CjkBlockFirst] = {half, 0};
        }
        for (const Composition& c : VoicedKatakana)
            result[c.composed - CjkBlockFirst] = {result[c.base - CjkBlockFirst].first, c.mark};
        return result;
    }();
    return table;
}

char16_t ComposedKatakana(char16_t base, char16_t mark)
{
    for (const Composition& c : VoicedKatakana) {
        if (c.base == base && c.mark == mark)
            return c.composed;
    }
    return 0;
}

bool IsCombiningSoundMark(char16_t ch)
{
    return ch == 0x3099 || ch == 0x309A;
}

bool IsKatakanaLetter(char16_t ch)
{
    return ch >= 0x30A1 && ch <= 0x30FA;
}

enum class Replacements { Plain, Typographic };
// Everything the tables convert, or ASCII and the space alone.
enum class Reach { AllForms, AsciiOnly };

QString Narrow(QStringView text, Replacements replacements, Reach reach = Reach::AllForms)
{
    const CjkNarrowTable& cjk = CjkNarrowing();
    QString result;
    result.reserve(text.size() + 4);
    bool afterNarrowedKatakana = false;
    for (const QChar unit : text) {
        const char16_t ch = unit.unicode();
        const bool wasAfterKatakana = afterNarrowedKatakana;
        afterNarrowedKatakana = false;
        if (replacements == Replacements::Typographic) {
            if (ch == u'￥') {
                result += QLatin1Char('\\');
                continue;
            }
            if (ch == u'\u201D') {
                result += QLatin1Char('"');
                continue;
            }
            if (ch == u'\u2019') {
                result += QLatin1Char('\'');
                continue;
            }
        }
        if (ch >= 0xFF01 && ch <= 0xFF5E) {
            result += QChar(static_cast<char16_t>(ch - AsciiToFullOffset));
            continue;
        }
        if (reach == Reach::AsciiOnly) {
            result += ch == u'\u3000' ? QChar(u' ') : unit;
            continue;
        }
        if (IsCombiningSoundMark(ch) && wasAfterKatakana) {
            result += QChar(ch == 0x3099 ? HalfVoicedMark : HalfSemiVoicedMark);
            continue;
        }
        if (ch >= CjkBlockFirst && ch <= 0x30FF) {
            const HalfSpelling spelling = cjk[ch - CjkBlockFirst];
            if (spelling.first != 0) {
                result += QChar(spelling.first);
                if (spelling.second != 0)
                    result += QChar(spelling.second);
                afterNarrowedKatakana = IsKatakanaLetter(ch);
                continue;
            }
        }
        bool symbol = false;
        for (const SymbolPair& pair : Symbols) {
            if (pair.full == ch) {
                result += QChar(pair.half);
                symbol = true;
                break;
            }
        }
        if (!symbol)
            result += unit;
    }
    return result;
}

QString Widen(QStringView text, Replacements replacements, Reach reach = Reach::AllForms)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text.at(i).unicode();
        if (replacements == Replacements::Typographic) {
            if (ch == u'\\') {
                result += QChar(u'￥');
                continue;
            }
            if (ch == u'"') {
                result += QChar(u'\u201D');
                continue;
            }
            if (ch == u'\'') {
                result += QChar(u'\u2019');
                continue;
            }
        }
        if (ch == u' ') {
            result += QChar(u'\u3000');
            continue;
        }
        if (ch >= 0x21 && ch <= 0x7E) {
            result += QChar(static_cast<char16_t>(ch + AsciiToFullOffset));
            continue;
        }
        if (reach == Reach::AsciiOnly) {
            result += QChar(ch);
            continue;
        }
        if (ch >= HalfKatakanaFirst && ch <= HalfKatakanaLast) {
            const char16_t full = FullOfHalfKatakana[ch - HalfKatakanaFirst];
            if (i + 1 < text.size()) {
                const char16_t composed = ComposedKatakana(full, text.at(i + 1).unicode());
                if (composed != 0) {
                    result += QChar(composed);
                    ++i;
                    continue;
                }
            }
            result += QChar(full);
            continue;
        }
        bool symbol = false;
        for (const SymbolPair& pair : Symbols) {
            if (pair.half == ch) {
                result += QChar(pair.full);
                symbol = true;
                break;
            }
        }
        if (!symbol)
            result += QChar(ch);
    }
    return result;
}

} // namespace

QString NarrowWidth(QStringView text)
{
    return Narrow(text, Replacements::Plain);
}

QString WidenWidth(QStringView text)
{
    return Widen(text, Replacements::Plain);
}

QString ToHalfWidth(QStringView text)
{
    return Narrow(text, Replacements::Typographic);
}

QString ToFullWidth(QStringView text)
{
    return Widen(text, Replacements::Typographic);
}

QString HalfWidthName(const QString& name)
{
    return ToHalfWidth(name);
}

QString FullWidthName(const QString& name)
{
    const NameParts parts = SplitName(name);
    return ToFullWidth(parts.base) + NarrowWidth(parts.dotExtension);
}

QString NarrowAlphanumericsName(const QString& name)
{
    return Narrow(name, Replacements::Typographic, Reach::AsciiOnly);
}

QString WidenAlphanumericsName(const QString& name)
{
    const NameParts parts = SplitName(name);
    return Widen(parts.base, Replacements::Typographic, Reach::AsciiOnly) +
           Narrow(parts.dotExtension, Replacements::Plain, Reach::AsciiOnly);
}

void ApplyWidthStep(RenameList& list, WidthStep step, NameSource source)
{
    RewriteNewNames(list, source, step == WidthStep::HalfWidth ? HalfWidthName : FullWidthName);
}

void ApplyAlphanumericWidth(RenameList& list, WidthStep step, NameSource source)
{
    RewriteNewNames(list, source,
                    step == WidthStep::HalfWidth ? NarrowAlphanumericsName : WidenAlphanumericsName);
}

void WidthStepToggle::click(RenameList& list)
{
    ApplyWidthStep(list, m_next);
    advance();
}

void WidthStepToggle::advance()
{
    m_next = m_next == WidthStep::HalfWidth ? WidthStep::FullWidth : WidthStep::HalfWidth;
}
