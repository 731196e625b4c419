#include "core/CommandLine.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitCommandLine, GivesThePieces)
{
    const struct {
        const char *name, *text;
        QStringList expected;
    } cases[] = {
        {"empty", "", {}},
        {"one unquoted path", "C:\\a.txt", {U("C:\\a.txt")}},
        {"one quoted path with spaces", "\"C:\\My Photos\\写真 1.jpg\"", {U("C:\\My Photos\\写真 1.jpg")}},
        {"two quoted paths one space apart",
         "\"C:\\a b.txt\" \"C:\\c.txt\"",
         {U("C:\\a b.txt"), U("C:\\c.txt")}},
        {"two quoted paths two spaces apart",
         "\"C:\\a b.txt\"  \"C:\\c.txt\"",
         {U("C:\\a b.txt"), U("C:\\c.txt")}},
        {"unquoted path with a space falls apart", "C:\\My Photos\\a.jpg", {U("C:\\My"), U("Photos\\a.jpg")}},
        // The two-space separator is tried first and wins when it splits at all.
        {"mixed separators keep the one-space pair together", "\"a\" \"b\"  \"c\"", {U("a\" \"b"), U("c")}},
        // A quoted first path followed by an unquoted one loses the last character.
        {"quoted then unquoted", "\"a b\" c", {U("a b\" ")}},
        {"empty quotes", "\"\"", {}},
        {"doubled and trailing spaces give no empty pieces", "a  b ", {U("a"), U("b")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(U(c.text)), c.expected) << c.name;
}

} // namespace
