#include "platform/RenameReasons.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* name;
    const char* input;
    std::optional<RenameProblem> problem;
};

// Checked before Windows is asked, so they are tested on every platform.
const NameCase kWindowsNames[] = {
    {"plain", "photo.jpg", std::nullopt},
    {"device", "CON", RenameProblem::ReservedName},
    {"device lower case with extension", "nul.txt", RenameProblem::ReservedName},
    {"device with space before extension", "com1 .log", RenameProblem::ReservedName},
    {"superscript port", "LPT\u00B9", RenameProblem::ReservedName},
    {"device as part of a name", "CONSOLE.txt", std::nullopt},
    {"port ten", "COM10", std::nullopt},
    {"trailing dot", "name.", RenameProblem::TrailingDotOrSpace},
    {"colon", "a:b", RenameProblem::InvalidName},
    {"control character", "a\tb", RenameProblem::InvalidName},
    {"full width forbidden lookalikes", "a：b？.txt", std::nullopt},
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << c.name;
}

class WindowsNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(WindowsNames, AreRefusedBeforeTheSystemSeesThem)
{
    EXPECT_EQ(WindowsNameProblem(QString::fromUtf8(GetParam().input)), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(Table, WindowsNames, ::testing::ValuesIn(kWindowsNames), CaseName());

} // namespace
