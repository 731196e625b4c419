#include "core/NameTable.h"

#include <gtest/gtest.h>

namespace {

NameText NameOf(int i)
{
    return i % 3 == 0 ? QStringLiteral("写真_%1.jpg").arg(i) : QStringLiteral("IMG_%1.jpg").arg(i);
}

// A table that was never reserved grows many times; every name keeps its own
// number through each move, and names it never had stay absent.
TEST(NameTable, KeepsEveryNameThroughGrowth)
{
    NameTable table;
    EXPECT_EQ(table.value(NameOf(1), -1), -1);
    for (int i = 0; i < 5000; ++i)
        table[NameOf(i)] = i + 1;
    table[NameText()] = -7;
    ++table[NameOf(42)];
    EXPECT_EQ(table.size(), 5001);
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(table.value(NameOf(i), -1), i == 42 ? 44 : i + 1) << i;
    EXPECT_EQ(table.value(NameText(), 0), -7);
    EXPECT_EQ(table.find(NameOf(5000)), nullptr);
}

} // namespace
