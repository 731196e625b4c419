#include "core/NameBytes.h"

#include "core/NameText.h"

#include <QUrl>

#include <algorithm>

namespace {

constexpr char16_t kFirstKept = 0xDC80;
constexpr char16_t kLastKept = 0xDCFF;

bool IsKeptByte(char16_t unit)
{
    return unit >= kFirstKept && unit <= kLastKept;
}

// The length of the valid UTF-8 sequence at `at`, or 0. Overlong forms,
// encoded surrogates and code points past U+10FFFF are not valid.
qsizetype ValidSequenceAt(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[at + i]); };
    const auto follows = [&](qsizetype i) { return at + i < bytes.size() && (byte(i) & 0xC0) == 0x80; };
    const unsigned char lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF)
        return follows(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!follows(1) || !follows(2))
            return 0;
        if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F))
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!follows(1) || !follows(2) || !follows(3))
            return 0;
        if ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F))
            return 0;
        return 4;
    }
    return 0;
}

void AppendUtf8(QByteArray& out, char32_t code)
{
    const auto put = [&out](unsigned value) { out.append(static_cast<char>(value)); };
    if (code < 0x800) {
        put(0xC0 | code >> 6);
    } else if (code < 0x10000) {
        put(0xE0 | code >> 12);
        put(0x80 | (code >> 6 & 0x3F));
    } else {
        put(0xF0 | code >> 18);
        put(0x80 | (code >> 12 & 0x3F));
        put(0x80 | (code >> 6 & 0x3F));
    }
    put(0x80 | (code & 0x3F));
}

} // namespace

QByteArray EncodeFileName(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() * 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            out.append(static_cast<char>(unit));
            continue;
        }
        const bool pair = QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (!pair && IsKeptByte(unit)) {
            out.append(static_cast<char>(unit - 0xDC00));
            continue;
        }
        // Any other lone surrogate has no bytes of its own: it cannot come
        // from a name this system read, and becomes U+FFFD.
        const char32_t code = pair                       ? QChar::surrogateToUcs4(unit, text[++i].unicode())
                              : QChar::isSurrogate(unit) ? char32_t(0xFFFD)
                                                         : char32_t(unit);
        AppendUtf8(out, code);
    }
    return out;
}

QString DecodeFileName(QByteArrayView bytes)
{
    // Nearly every name is valid UTF-8: it is decoded in one go.
    qsizetype at = 0;
    while (at < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80)
            ++at;
        else if (const qsizetype length = ValidSequenceAt(bytes, at))
            at += length;
        else
            break;
    }
    if (at == bytes.size())
        return QString::fromUtf8(bytes);
    QString out;
    out.reserve(bytes.size());
    qsizetype plain = 0; // start of the valid run not decoded yet
    while (at < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        if (const qsizetype length = ValidSequenceAt(bytes, at)) {
            at += length;
            continue;
        }
        out.append(QString::fromUtf8(bytes.sliced(plain, at - plain)));
        out.append(QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes[at]))));
        plain = ++at;
    }
    out.append(QString::fromUtf8(bytes.sliced(plain)));
    return out;
}

bool HasStrayBytes(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (IsKeptByte(unit.unicode()))
            return true;
    }
    return false;
}

bool HasStrayBytes(const NameText& text)
{
    return !text.isAscii() && HasStrayBytes(text.utf16View());
}

QByteArray EncodeFileName(const NameText& text)
{
    const QLatin1StringView ascii = text.asciiView();
    return text.isAscii() ? QByteArray(ascii.data(), ascii.size()) : EncodeFileName(text.utf16View());
}

NameText DecodeFileNameText(QByteArrayView bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
    return ascii ? NameText(QLatin1StringView(bytes.data(), bytes.size())) : NameText(DecodeFileName(bytes));
}

QString LocalPathOfUrl(const QUrl& url)
{
#ifdef Q_OS_UNIX
    if (url.isLocalFile() && url.host().isEmpty())
        return DecodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
#endif
    return url.toLocalFile();
}

QString StrayBytesText()
{
    return QStringLiteral("新しい名前に文字化けした部分が残っているため、リネームしませんでした。"
                          "右クリックの「文字化けを直す」で名前を直してから、もう一度リネームしてください。");
}
