#include "core/CommandLine.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitCommandLine, GivesThePieces)
{
    const struct {
        // expected: the pieces joined by "|", nullptr: none
        const char *name, *text, *expected;
    } cases[] = {
        {"empty", "", nullptr},
        {"two quoted paths one space apart", "\"C:\\a b.txt\" \"C:\\c.txt\"", "C:\\a b.txt|C:\\c.txt"},
        {"two quoted paths two spaces apart", "\"C:\\a b.txt\"  \"C:\\c.txt\"", "C:\\a b.txt|C:\\c.txt"},
        {"unquoted path with a space falls apart", "C:\\My Photos\\a.jpg", "C:\\My|Photos\\a.jpg"},
        // The two-space separator is tried first and wins when it splits at all.
        {"mixed separators keep the one-space pair together", "\"a\" \"b\"  \"c\"", "a\" \"b|c"},
        // A quoted first path followed by an unquoted one loses the last character.
        {"quoted then unquoted", "\"a b\" c", "a b\" "},
        {"doubled and trailing spaces give no empty pieces", "a  b ", "a|b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(U(c.text)), Split(c.expected)) << c.name;
}

} // namespace
