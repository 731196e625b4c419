#include "ops/NameRepair.h"

#include "core/Paths.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(NameRepair, ComposedNamesAreNfc)
{
    const char* const cases[][2] = {
        {"ハ\u309Aハ\u309A.txt", "パパ.txt"},
        {"か\u3099", "が"},
        {"Cafe\u0301 ho\u0308", "Café hö"},
        {"パパ.txt", "パパ.txt"},
        {"\u212B", "Å"}, // the Ångström sign is no letter of its own
        {"plain.txt", "plain.txt"},
        {"写真_ｶﾞ〜ゔ.jpg", "写真_ｶﾞ〜ゔ.jpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComposedName(U(c[0])), U(c[1])) << c[0];
    // Only text that normalization leaves alone is surely composed.
    for (const char* composed : {"写真_ｶﾞ〜ゔ.jpg", "Café", ""})
        EXPECT_TRUE(IsSurelyComposed(U(composed))) << composed;
    for (const char* unsure : {"か\u3099", "e\u0301", "\u212A", "\u3031\u302A"})
        EXPECT_FALSE(IsSurelyComposed(U(unsure))) << unsure;
}

TEST(NameRepair, MojibakeOnlyWhereUtf8WasReadAsCp932)
{
    ASSERT_TRUE(CanRepairMojibake());
    const char* const cases[][2] = {
        {"繧ｵ繝ｳ繝励Ν", "サンプル"},
        {"蜀咏悄.jpg", "写真.jpg"},
        {"莨夊ｭｰ繝｡繝｢.txt", "会議メモ.txt"},
        {"譚ｱ莠ｬ繧ｿ繝ｯ繝ｼ_2024.png", "東京タワー_2024.png"},
        {"report 2024.txt", "report 2024.txt"},
        {"夜明けのスキャット", "夜明けのスキャット"}, // its CP932 bytes are no UTF-8
        {"音楽", "音楽"},
        {"繧ｵ한국", "繧ｵ한국"}, // Hangul has no CP932 form
        {"繧ｵ繝", "繧ｵ繝"},     // bytes cut short
        {"ﾃｩ", "ﾃｩ"},           // valid UTF-8 ("é") but no Japanese
    };
    for (const auto& c : cases)
        EXPECT_EQ(RepairedMojibakeName(U(c[0])), U(c[1])) << c[0];
}

} // namespace
