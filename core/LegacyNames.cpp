#include "core/LegacyNames.h"

#include "core/LegacyCodePages.h"
#include "core/NameBytes.h"

#include <algorithm>

namespace {

// The text, or a null string when the bytes are not valid in the table.
QString DecodeStrictly(QByteArrayView bytes, LegacyEncoding table)
{
    QString text = DecodeWithCodePage(bytes, table);
    // Control characters are no part of a name: EUC-JP reads a CP932 lead
    // byte as one (0x83 is U+0083) without an error.
    const bool control = std::any_of(text.cbegin(), text.cend(), [](QChar ch) {
        return ch.unicode() < 0x20 || (ch.unicode() >= 0x7F && ch.unicode() <= 0x9F);
    });
    return control ? QString() : text;
}

bool IsKana(char16_t unit)
{
    return unit >= 0x3041 && unit <= 0x30FF;
}

bool IsKanji(char16_t unit)
{
    return unit >= 0x4E00 && unit <= 0x9FFF;
}

// How much a decoding reads like Japanese; bytes of the other encoding read
// as this one give rare kanji or runs of half-width punctuation.
int JapaneseScore(const QString& text)
{
    int score = 0;
    for (const QChar ch : text) {
        const char16_t unit = ch.unicode();
        if (IsKana(unit))
            score += 2;
        else if (IsKanji(unit) || (unit >= 0xFF66 && unit <= 0xFF9D))
            score += 1;
        else if (unit >= 0xFF61 && unit <= 0xFF65)
            score -= 1;
    }
    return score;
}

bool HoldsJapanese(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar ch) {
        const char16_t unit = ch.unicode();
        return IsKana(unit) || IsKanji(unit) || (unit >= 0xFF66 && unit <= 0xFF9D);
    });
}

} // namespace

bool CanReadLegacyNames()
{
    return HasCodePage(LegacyEncoding::Cp932) && HasCodePage(LegacyEncoding::EucJp);
}

std::optional<QString> DecodeLegacyName(QByteArrayView bytes, LegacyEncoding encoding)
{
    const auto found = [](QString text) -> std::optional<QString> {
        if (text.isNull())
            return std::nullopt;
        return text;
    };
    switch (encoding) {
    case LegacyEncoding::Cp932:
    case LegacyEncoding::EucJp:
        return found(DecodeStrictly(bytes, encoding));
    case LegacyEncoding::Automatic:
        break;
    }
    QString cp932 = DecodeStrictly(bytes, LegacyEncoding::Cp932);
    QString eucJp = DecodeStrictly(bytes, LegacyEncoding::EucJp);
    if (!HoldsJapanese(cp932))
        cp932.clear();
    if (!HoldsJapanese(eucJp))
        eucJp.clear();
    if (eucJp.isEmpty() || (!cp932.isEmpty() && JapaneseScore(eucJp) <= JapaneseScore(cp932)))
        return cp932.isEmpty() ? std::nullopt : std::optional<QString>(cp932);
    return eucJp;
}

QString ShownName(QStringView name)
{
    if (!HasStrayBytes(name))
        return name.toString();
    if (std::optional<QString> decoded = DecodeLegacyName(EncodeFileName(name), LegacyEncoding::Automatic))
        return *std::move(decoded);
    QString shown = name.toString();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i].isHighSurrogate() && i + 1 < shown.size() && shown[i + 1].isLowSurrogate())
            ++i;
        else if (shown[i].isLowSurrogate())
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}
