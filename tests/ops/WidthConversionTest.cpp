#include "ops/WidthConversion.h"

#include "tests/support/CaseName.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct WidthCase {
    const char* name;
    QString (*function)(QStringView);
    const char* input;
    const char* expected;
};

QString HalfName(QStringView name)
{
    return HalfWidthName(name.toString());
}

QString FullName(QStringView name)
{
    return FullWidthName(name.toString());
}

const WidthCase kWidthCases[] = {
    {"half of full letters", HalfName, "ｆｉｌｅ１.txt", "file1.txt"},
    {"half of full extension", HalfName, "ＡＢＣ.ＴＸＴ", "ABC.TXT"},
    {"half of typographic apostrophe", HalfName, "ｉｔ’ｓ.txt", "it's.txt"},
    {"half of full yen", HalfName, "ａ￥ｂ.txt", "a\\b.txt"},
    {"half of right double quote", HalfName, "”ｑ”", "\"q\""},
    {"half keeps left quotes", HalfName, "“‘ｑ", "“‘q"},
    {"half of katakana", HalfName, "カタカナ.txt", "ｶﾀｶﾅ.txt"},
    {"half splits voiced kana", HalfName, "ガイドブック.pdf", "ｶﾞｲﾄﾞﾌﾞｯｸ.pdf"},
    {"half splits semi voiced and vu", HalfName, "パヴ", "ﾊﾟｳﾞ"},
    {"half of punctuation", HalfName, "「メモ」、。・ー", "｢ﾒﾓ｣､｡･ｰ"},
    {"half of spacing sound marks", HalfName, "゛゜", "ﾞﾟ"},
    {"half of combining sound marks after katakana", HalfName, "カ\xE3\x82\x99ハ\xE3\x82\x9A", "ｶﾞﾊﾟ"},
    {"half keeps combining mark after hiragana", HalfName, "か\xE3\x82\x99", "か\xE3\x82\x99"},
    {"half of ideographic space", HalfName, "ａ　ｂ", "a b"},
    {"half keeps kanji hiragana and small ke", HalfName, "写真ひらがなヶ〜", "写真ひらがなヶ〜"},
    {"half of full backslash and quotes", HalfName, "＼＂＇", "\\\"'"},
    {"half keeps emoji", HalfName, "🎵ＭＵＳＩＣ.mp3", "🎵MUSIC.mp3"},
    {"full keeps extension half", FullName, "report 2.txt", "ｒｅｐｏｒｔ　２.txt"},
    {"full narrows extension", FullName, "photo.ＪＰＧ", "ｐｈｏｔｏ.JPG"},
    {"full extension keeps plain narrowing", FullName, "a.ｔ￥ｘ", "ａ.t¥x"},
    {"full of apostrophe", FullName, "it's.txt", "ｉｔ’ｓ.txt"},
    {"full of backslash and quote", FullName, "a\\\"b", "ａ￥”ｂ"},
    {"full width dot is no extension", FullName, "ｆｉｌｅ．ｔｘｔ", "ｆｉｌｅ．ｔｘｔ"},
    {"full of dot file", FullName, ".profile", ".profile"},
    {"full of katakana", FullName, "ｶﾀｶﾅ.txt", "カタカナ.txt"},
    {"full joins voiced kana", FullName, "ｶﾞｲﾄﾞﾌﾞｯｸ", "ガイドブック"},
    {"full joins semi voiced vu wa wo", FullName, "ﾊﾟﾋﾟｳﾞﾜﾞｦﾞ", "パピヴヷヺ"},
    {"full keeps marks that cannot join", FullName, "ｱﾞﾏﾟaﾞ", "ア゛マ゜ａ゛"},
    {"full of two marks", FullName, "ｶﾞﾞ", "ガ゛"},
    {"full of yen sign", FullName, "¥100", "￥１００"},
    {"full keeps kanji and emoji", FullName, "写真🎉", "写真🎉"},
    {"empty full", FullName, "", ""},
};

class WidthNames : public ::testing::TestWithParam<WidthCase> {};

TEST_P(WidthNames, ConvertAsTheStepSays)
{
    const WidthCase& c = GetParam();
    EXPECT_EQ(c.function(U(c.input)), U(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, WidthNames, ::testing::ValuesIn(kWidthCases), CaseName());

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
            if (QChar(ch).decompositionTag() == QChar::Narrow) {
                EXPECT_EQ(WidenWidth(form), counterpart) << int(ch);
                EXPECT_EQ(NarrowWidth(counterpart), form) << int(ch);
            } else {
                ASSERT_EQ(QChar(ch).decompositionTag(), QChar::Wide) << int(ch);
                EXPECT_EQ(NarrowWidth(form), counterpart) << int(ch);
                EXPECT_EQ(WidenWidth(counterpart), form) << int(ch);
            }
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

TEST(WidthTables, FullThenHalfGivesTheTextBack)
{
    QString text;
    for (char16_t ch = 0x20; ch <= 0x7E; ++ch)
        text += QChar(ch);
    for (char16_t ch = 0xFF61; ch <= 0xFF9D; ++ch)
        text += QChar(ch);
    text += U("ｶﾞﾊﾟｳﾞﾜﾞ");
    EXPECT_EQ(ToHalfWidth(ToFullWidth(text)), text);
    EXPECT_EQ(NarrowWidth(WidenWidth(text)), text);
    const QString longName(30000, QChar(u'ｶ'));
    EXPECT_EQ(FullWidthName(longName), QString(30000, QChar(u'カ')));
}

TEST(WidthStepToggle, Alternates)
{
    RenameList list = ListOf(Split("ｆｉｌｅ１.txt|ＡＢＣ.ＴＸＴ"), {U("edited")});
    WidthStepToggle toggle;
    toggle.click(list);
    EXPECT_EQ(list.at(0).newName, U("file1.txt"));
    EXPECT_EQ(list.at(1).newName, U("ABC.TXT"));
    toggle.click(list);
    EXPECT_EQ(list.at(0).newName, U("ｆｉｌｅ１.txt"));
    EXPECT_EQ(list.at(1).newName, U("ＡＢＣ.TXT"));
    toggle.click(list);
    EXPECT_EQ(list.at(1).newName, U("ABC.TXT"));
    EXPECT_EQ(list.at(1).currentName, U("ＡＢＣ.ＴＸＴ"));

    RenameList empty;
    WidthStepToggle other;
    other.click(empty);
    EXPECT_EQ(other.nextStep(), WidthStep::FullWidth);
    other.click(empty);
    EXPECT_EQ(other.nextStep(), WidthStep::HalfWidth);
}

} // namespace
