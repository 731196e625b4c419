#include "ops/ForbiddenCharacters.h"

#include <gtest/gtest.h>

TEST(ForbiddenCharacters, BecomeHarmlessLookAlikes)
{
    struct {
        const char *input, *expected;
    } const cases[] = {{"a<b>c", "a(b)c"},         {"2024/05/06 7:08:09", "2024_05_06 7;08;09"},
                       {"What?", "What"},          {"*?**??", ""},
                       {"C:\\dir|x", "C;_dir_x"},  {"\"word\"", "'word'"},
                       {"￥’＜＞：", "￥’＜＞："}, // full-width forms are allowed in names
                       {"曲名 🎵", "曲名 🎵"}};
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceForbiddenCharacters(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected))
            << c.input;
}
