// The legacy tables through Qt's converters, which Qt takes from ICU.
#include "core/LegacyCodePages.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// The names ICU knows the two tables by.
const char* NameOf(LegacyEncoding table)
{
    return table == LegacyEncoding::EucJp ? "EUC-JP" : "windows-31j";
}

} // namespace

bool HasCodePage(LegacyEncoding table)
{
    return QStringDecoder(NameOf(table)).isValid() && QStringEncoder(NameOf(table)).isValid();
}

QString DecodeWithCodePage(QByteArrayView bytes, LegacyEncoding table)
{
    QStringDecoder decoder(NameOf(table), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return {};
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar::ReplacementCharacter))
        return {};
    return text;
}

std::optional<QByteArray> EncodeWithCodePage(QStringView text, LegacyEncoding table)
{
    QStringEncoder encoder(NameOf(table), QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return bytes;
}
