// The legacy tables through Windows' own code pages: 932 is CP932, 20932
// EUC-JP (JIS X 0208 and half-width katakana; its JIS X 0212 names read as
// invalid, where ICU would read them).
#include "core/LegacyCodePages.h"

#include <algorithm>
#include <limits>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

UINT CodePageOf(LegacyEncoding table)
{
    return table == LegacyEncoding::EucJp ? 20932 : 932;
}

bool FitsInt(qsizetype size)
{
    return size <= std::numeric_limits<int>::max();
}

// Windows gives the bytes CP932 has no character for (0xA0, 0xFD-0xFF)
// private characters of their own; ICU, and so Linux, finds them invalid.
bool IsUnassignedCp932Byte(QChar ch)
{
    return ch.unicode() >= 0xF8F0 && ch.unicode() <= 0xF8F3;
}

} // namespace

bool HasCodePage(LegacyEncoding table)
{
    return table != LegacyEncoding::Automatic && IsValidCodePage(CodePageOf(table));
}

QString DecodeWithCodePage(QByteArrayView bytes, LegacyEncoding table)
{
    // Nothing reads as nothing, as with ICU.
    if (!HasCodePage(table) || bytes.isEmpty() || !FitsInt(bytes.size()))
        return {};
    const UINT codePage = CodePageOf(table);
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    QString text(length, Qt::Uninitialized);
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size,
                            reinterpret_cast<wchar_t*>(text.data()), length) != length)
        return {};
    if (table == LegacyEncoding::Cp932 && std::any_of(text.cbegin(), text.cend(), IsUnassignedCp932Byte))
        return {};
    return text;
}

std::optional<QByteArray> EncodeWithCodePage(QStringView text, LegacyEncoding table)
{
    if (!HasCodePage(table) || !FitsInt(text.size()))
        return std::nullopt;
    if (text.isEmpty())
        return QByteArray();
    const UINT codePage = CodePageOf(table);
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size = static_cast<int>(text.size());
    // No best fit: a character without a form of its own ("¥" has none in
    // CP932) takes the default character, and that counts as failure.
    BOOL defaulted = FALSE;
    const int length =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0, nullptr, &defaulted);
    if (length <= 0 || defaulted)
        return std::nullopt;
    QByteArray bytes(length, Qt::Uninitialized);
    if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide, size, bytes.data(), length, nullptr,
                            &defaulted) != length ||
        defaulted)
        return std::nullopt;
    return bytes;
}
