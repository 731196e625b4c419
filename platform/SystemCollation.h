#pragma once

#include "core/Services.h"

#include <memory>

// The collation of the default locale (QLocale()) as ICU, the library Qt's
// own collation runs on here, computes it: opened with the settings QCollator
// uses for a case-insensitive comparison in numeric mode, so its keys order
// texts exactly as such a QCollator compares them. Nothing when the locale is C or ICU is not at hand.
[[nodiscard]] std::unique_ptr<CollationKeyWriter> OpenSystemCollation();
