#include "ops/WidthConversion.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

namespace {

// The width buttons convert every character that has another width; the
// alphanumerics menu leaves kana and Japanese punctuation at theirs.
TEST(WidthNames, ConvertAsTheStepSays)
{
    const struct {
        QString (*convert)(const QString&);
        const char *input, *expected;
    } cases[] = {
        {HalfWidthName, "ｉｔ’ｓ　”ｑ”“‘￥＼＂＇", "it's \"q\"“‘\\\\\"'"}, // left quotes stay
        {HalfWidthName, "ガイドブック「パヴ」、。・ー゛゜", "ｶﾞｲﾄﾞﾌﾞｯｸ｢ﾊﾟｳﾞ｣､｡･ｰﾞﾟ"},
        {HalfWidthName, "カ\xE3\x82\x99ハ\xE3\x82\x9Aか\xE3\x82\x99",
         "ｶﾞﾊﾟか\xE3\x82\x99"}, // combining marks
        {HalfWidthName, "写真ひらがなヶ〜🎵", "写真ひらがなヶ〜🎵"},
        {FullWidthName, "report 2!~.txt", "ｒｅｐｏｒｔ　２！～.txt"}, // the extension stays half-width
        {FullWidthName, "a.ｔ￥ｘ", "ａ.t¥x"},
        {FullWidthName, "it's\\\"¥1", "ｉｔ’ｓ￥”￥１"},
        {FullWidthName, "ﾊﾟﾋﾟｳﾞﾜﾞｦﾞ", "パピヴヷヺ"},
        {FullWidthName, "ｱﾞﾏﾟaﾞｶﾞﾞ", "ア゛マ゜ａ゛ガ゛"}, // marks that cannot join
        {FullWidthName, "", ""},
        {NarrowAlphanumericsName, "ＡＢＣ１２３", "ABC123"},
        {NarrowAlphanumericsName, "夜明けのスキャット", "夜明けのスキャット"},
        {NarrowAlphanumericsName, "ｽｷｬｯﾄ「、」｢､｣・ー", "ｽｷｬｯﾄ「、」｢､｣・ー"},
        {NarrowAlphanumericsName, "第１話　ｽｷｬｯﾄ（ＴＶ版）／￥”.ＭＰ４",
         "第1話 ｽｷｬｯﾄ(TV版)/\\\".MP4"}, // "/" left to the preview
        {WidenAlphanumericsName, "Vol.2 スキャット(ｽｷｬｯﾄ)、a'b.mp4",
         "Ｖｏｌ．２　スキャット（ｽｷｬｯﾄ）、ａ’ｂ.mp4"},
        {WidenAlphanumericsName, "ａ.ｔｘｔ", "ａ.txt"}, // the extension is always half width
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.convert(U(c.input)), U(c.expected)) << c.input;
}

TEST(WidthStepToggle, AlternatesAlsoOnAnEmptyList)
{
    RenameList list = ListOf(Split("ｆｉｌｅ１.txt|ＡＢＣ.ＴＸＴ"), {U("edited")});
    WidthStepToggle toggle;
    QStringList seen;
    for (int click = 0; click < 3; ++click) {
        toggle.click(list);
        seen += NewNames(list);
    }
    EXPECT_EQ(seen, Split("file1.txt|ABC.TXT|ｆｉｌｅ１.txt|ＡＢＣ.TXT|file1.txt|ABC.TXT"));

    RenameList empty;
    WidthStepToggle other;
    other.click(empty);
    EXPECT_EQ(other.nextStep(), WidthStep::FullWidth);
}

} // namespace
