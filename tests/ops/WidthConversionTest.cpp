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
        {true, "ｆｉｌｅ１.ＴＸＴ", "file1.TXT"},
        {true, "ｉｔ’ｓ　”ｑ”“‘￥＼＂＇", "it's \"q\"“‘\\\\\"'"}, // left quotes stay
        {true, "ガイドブック「パヴ」、。・ー゛゜", "ｶﾞｲﾄﾞﾌﾞｯｸ｢ﾊﾟｳﾞ｣､｡･ｰﾞﾟ"},
        {true, "カ\xE3\x82\x99ハ\xE3\x82\x9Aか\xE3\x82\x99", "ｶﾞﾊﾟか\xE3\x82\x99"}, // combining marks
        {true, "写真ひらがなヶ〜🎵", "写真ひらがなヶ〜🎵"},
        {false, "report 2.txt", "ｒｅｐｏｒｔ　２.txt"}, // the extension stays half-width
        {false, "photo.ＪＰＧ", "ｐｈｏｔｏ.JPG"},
        {false, "a.ｔ￥ｘ", "ａ.t¥x"},
        {false, "it's\\\"¥1", "ｉｔ’ｓ￥”￥１"},
        {false, "ｆｉｌｅ．ｔｘｔ", "ｆｉｌｅ．ｔｘｔ"}, // a full-width dot is no extension
        {false, ".profile", ".profile"},
        {false, "ｶﾞｲﾄﾞﾌﾞｯｸ", "ガイドブック"},
        {false, "ﾊﾟﾋﾟｳﾞﾜﾞｦﾞ", "パピヴヷヺ"},
        {false, "ｱﾞﾏﾟaﾞｶﾞﾞ", "ア゛マ゜ａ゛ガ゛"}, // marks that cannot join
        {false, "写真🎉", "写真🎉"},
        {false, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.half ? HalfWidthName(U(c.input)) : FullWidthName(U(c.input)), U(c.expected)) << c.input;
}

// The tables must agree with the compatibility mappings of the Unicode data:
// every half-width and full-width form maps to its counterpart and back. The
// lone sound marks ﾞ ﾟ are left out: the data pairs them with the combining
// marks, while a name shows them as the spacing ゛ ゜.
TEST(WidthTables, AgreeWithUnicodeData)
{
    const std::pair<char16_t, char16_t> ranges[] = {{0xFF01, 0xFF5E}, {0xFF61, 0xFF9D}, {0xFFE0, 0xFFE6}};
    for (const auto& [first, last] : ranges) {
        for (char16_t ch = first; ch <= last; ++ch) {
            const QString form(QChar{ch});
            const QString counterpart = QChar(ch).decomposition();
            ASSERT_EQ(counterpart.size(), 1) << int(ch);
            const bool narrow = QChar(ch).decompositionTag() == QChar::Narrow;
            EXPECT_EQ(narrow ? WidenWidth(form) : NarrowWidth(form), counterpart) << int(ch);
            EXPECT_EQ(narrow ? NarrowWidth(counterpart) : WidenWidth(counterpart), form) << int(ch);
        }
    }
    // Voiced katakana split into their canonical parts and join back.
    int split = 0;
    for (char16_t ch = 0x30A1; ch <= 0x30FA; ++ch) {
        const QString kana(QChar{ch});
        const QString parts = kana.normalized(QString::NormalizationForm_D);
        if (parts.size() != 2 || NarrowWidth(parts.left(1)) == parts.left(1))
            continue; // not voiced, or its base has no half-width form
        EXPECT_EQ(NarrowWidth(kana), NarrowWidth(parts)) << int(ch);
        EXPECT_EQ(NarrowWidth(kana).size(), 2) << int(ch);
        EXPECT_EQ(WidenWidth(NarrowWidth(kana)), kana) << int(ch);
        ++split;
    }
    EXPECT_EQ(split, 28);
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
