#pragma once
// Names parameterised test cases after the `name` member of their row, so a
// failing row reads as "Table/WindowsPaths.GiveTheirResult/join_drive_root".

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

struct CaseName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const
    {
        std::string text = row.param.name;
        std::replace_if(
            text.begin(), text.end(), [](unsigned char ch) { return !std::isalnum(ch); }, '_');
        return text;
    }
};
