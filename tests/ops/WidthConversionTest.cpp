#include "ops/WidthConversion.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

namespace {

TEST(WidthNames, ConvertAsTheStepSays)
{
    struct {
        bool half;
        const char *input, *expected;
    } const cases[] = {
        {true, "ｉｔ’ｓ　”ｑ”“‘￥＼＂＇", "it's \"q\"“‘\\\\\"'"}, // left quotes stay
        {true, "ガイドブック「パヴ」、。・ー゛゜", "ｶﾞｲﾄﾞﾌﾞｯｸ｢ﾊﾟｳﾞ｣､｡･ｰﾞﾟ"},
        {true, "カ\xE3\x82\x99ハ\xE3\x82\x9Aか\xE3\x82\x99", "ｶﾞﾊﾟか\xE3\x82\x99"}, // combining marks
        {true, "写真ひらがなヶ〜🎵", "写真ひらがなヶ〜🎵"},
        {false, "report 2!~.txt", "ｒｅｐｏｒｔ　２！～.txt"}, // the extension stays half-width
        {false, "a.ｔ￥ｘ", "ａ.t¥x"},
        {false, "it's\\\"¥1", "ｉｔ’ｓ￥”￥１"},
        {false, "ﾊﾟﾋﾟｳﾞﾜﾞｦﾞ", "パピヴヷヺ"},
        {false, "ｱﾞﾏﾟaﾞｶﾞﾞ", "ア゛マ゜ａ゛ガ゛"}, // marks that cannot join
        {false, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.half ? HalfWidthName(U(c.input)) : FullWidthName(U(c.input)), U(c.expected)) << c.input;
}

// Letters, digits and symbols alone: kana and Japanese punctuation keep their width.
TEST(WidthNames, AlphanumericsOnlyLeaveKanaAlone)
{
    struct {
        bool half;
        const char *input, *expected;
    } const cases[] = {
        {true, "ＡＢＣ１２３", "ABC123"},
        {true, "夜明けのスキャット", "夜明けのスキャット"},
        {true, "ｽｷｬｯﾄ「、」｢､｣・ー", "ｽｷｬｯﾄ「、」｢､｣・ー"},
        {true, "第１話　ｽｷｬｯﾄ（ＴＶ版）／￥”.ＭＰ４",
         "第1話 ｽｷｬｯﾄ(TV版)/\\\".MP4"}, // "/" left to the preview
        {false, "Vol.2 スキャット(ｽｷｬｯﾄ)、a'b.mp4", "Ｖｏｌ．２　スキャット（ｽｷｬｯﾄ）、ａ’ｂ.mp4"},
        {false, "ａ.ｔｘｔ", "ａ.txt"}, // the extension is always half width
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.half ? NarrowAlphanumericsName(U(c.input)) : WidenAlphanumericsName(U(c.input)),
                  U(c.expected))
            << c.input;
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
