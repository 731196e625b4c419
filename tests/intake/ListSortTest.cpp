#include "intake/ListSort.h"

#include <gtest/gtest.h>

namespace {

TEST(ListSort, ClicksToggleTheDirectionOfOneColumn)
{
    const SortState start; // column 0 ascending
    EXPECT_EQ(NextSortState(start, 0).ascending, false);
    EXPECT_EQ(NextSortState(NextSortState(start, 0), 0).ascending, true);
    const SortState other = NextSortState(NextSortState(start, 0), 3);
    EXPECT_EQ(other.column, 3);
    EXPECT_TRUE(other.ascending);
}

} // namespace
