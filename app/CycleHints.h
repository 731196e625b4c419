#pragma once
// Hover hints of the buttons whose click steps through variants: each names
// what the next click will do.

#include "ops/CaseConversion.h"
#include "ops/WidthConversion.h"

#include <QString>

[[nodiscard]] QString NextClickHint(UpperCaseVariant next);
[[nodiscard]] QString NextClickHint(LowerCaseVariant next);
[[nodiscard]] QString NextClickHint(WidthStep next);
