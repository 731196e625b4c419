#include "app/CycleHints.h"

QString NextClickHint(UpperCaseVariant next)
{
    switch (next) {
    case UpperCaseVariant::AllCharacters:
        return QStringLiteral("全文字を大文字にします");
    case UpperCaseVariant::FirstCharacterOnly:
        return QStringLiteral("先頭文字のみ大文字にします");
    case UpperCaseVariant::BaseNameOnly:
        return QStringLiteral("ファイル名のみ大文字にします");
    case UpperCaseVariant::ExtensionOnly:
        return QStringLiteral("拡張子のみ大文字にします");
    }
    return {};
}

QString NextClickHint(LowerCaseVariant next)
{
    switch (next) {
    case LowerCaseVariant::AllCharacters:
        return QStringLiteral("全文字を小文字にします");
    case LowerCaseVariant::ExtensionOnly:
        return QStringLiteral("拡張子のみ小文字にします");
    }
    return {};
}

QString NextClickHint(WidthStep next)
{
    return next == WidthStep::HalfWidth ? QStringLiteral("ファイル名を半角にします")
                                        : QStringLiteral("ファイル名を全角にします");
}
