#include "ops/NameRepair.h"

#include "core/LegacyCodePages.h"
#include "core/NameBytes.h"
#include "core/Paths.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

bool IsJapaneseLetter(QChar ch)
{
    const char16_t unit = ch.unicode();
    return (unit >= 0x3041 && unit <= 0x30FF) || (unit >= 0x4E00 && unit <= 0x9FFF) ||
           (unit >= 0xFF66 && unit <= 0xFF9D);
}

} // namespace

void ApplyComposedNames(RenameList& list, NameSource source)
{
    RewriteNewNames(list, source, ComposedName);
}

bool CanRepairMojibake()
{
    return CanReadLegacyNames();
}

QString RepairedMojibakeName(const QString& name, LegacyEncoding encoding)
{
    if (HasStrayBytes(name))
        return DecodeLegacyName(EncodeFileName(name), encoding).value_or(name);
    if (encoding == LegacyEncoding::EucJp)
        return name;
    // Garbled text always holds characters beyond ASCII.
    if (std::all_of(name.cbegin(), name.cend(), [](QChar ch) { return ch.unicode() < 0x80; }))
        return name;
    const std::optional<QByteArray> bytes = EncodeWithCodePage(name, LegacyEncoding::Cp932);
    if (!bytes)
        return name;
    QStringDecoder fromUtf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString repaired = fromUtf8.decode(*bytes);
    if (fromUtf8.hasError() || repaired == name ||
        !std::any_of(repaired.cbegin(), repaired.cend(), IsJapaneseLetter))
        return name;
    return repaired;
}

void ApplyMojibakeRepair(RenameList& list, NameSource source, LegacyEncoding encoding)
{
    RewriteNewNames(list, source,
                    [encoding](const QString& name) { return RepairedMojibakeName(name, encoding); });
}
