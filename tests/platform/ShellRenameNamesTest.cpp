#include "platform/RenameReasons.h"

#include <gtest/gtest.h>

namespace {

// Checked before Windows is asked, so they are tested on every platform.
TEST(WindowsNames, AreRefusedBeforeTheSystemSeesThem)
{
    const struct {
        const char *name, *input;
        std::optional<RenameProblem> problem;
    } cases[] = {
        {"plain", "photo.jpg", std::nullopt},
        {"device", "CON", RenameProblem::ReservedName},
        {"device with space before extension", "com1 .log", RenameProblem::ReservedName},
        {"superscript port", "LPT\u00B9", RenameProblem::ReservedName},
        {"device as part of a name", "CONSOLE.txt", std::nullopt},
        {"port ten", "COM10", std::nullopt},
        {"trailing dot", "name.", RenameProblem::TrailingDotOrSpace},
        {"colon", "a:b", RenameProblem::InvalidName},
        {"full width forbidden lookalikes", "a：b？.txt", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowsNameProblem(QString::fromUtf8(c.input)), c.problem) << c.name;
}

} // namespace
