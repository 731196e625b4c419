#pragma once
// Names parameterised test cases after the `name` member of their row, so a
// failing row reads as "Table/WindowsPaths.GiveTheirResult/join_drive_root".

#include <gtest/gtest.h>

#include <cctype>
#include <string>

struct CaseName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& row) const
    {
        std::string text = row.param.name;
        for (char& ch : text) {
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return text;
    }
};
