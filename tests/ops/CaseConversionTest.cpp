#include "ops/CaseConversion.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

namespace {

using UV = UpperCaseVariant;
using LV = LowerCaseVariant;

TEST(CaseNames, FollowTheVariant)
{
    struct {
        const char* input;
        std::optional<UV> upper; // one of the two variants per row
        std::optional<LV> lower;
        const char* expected;
    } const cases[] = {
        {"mixedCase.Txt", UV::FirstCharacterOnly, {}, "Mixedcase.txt"}, // the rest goes lower
        {"archive.tar.gz", UV::BaseNameOnly, {}, "ARCHIVE.TAR.gz"},
        {".gitignore", UV::ExtensionOnly, {}, ".GITIGNORE"},
        {"𐐨𐐀.TXT", UV::FirstCharacterOnly, {}, "𐐀𐐨.txt"},
        {"", UV::FirstCharacterOnly, {}, ""},
        {"IMG_01.JPG", {}, LV::ExtensionOnly, "IMG_01.jpg"},
    };
    for (const auto& c : cases) {
        const QString name =
            c.upper ? UpperCaseName(U(c.input), *c.upper) : LowerCaseName(U(c.input), *c.lower);
        EXPECT_EQ(name, U(c.expected)) << c.input;
    }
}

TEST(CaseMapping, NeverChangesTheLength)
{
    // Letters whose full case mapping has more characters than they have.
    QString tricky = U("ßﬁﬃŉǰΐΰևẖẞᾳᾼῳİıſ𐐨𐐀ǅǆ");
    tricky += QChar(0xD800); // unpaired surrogates pass as they are
    tricky += QStringLiteral("x");
    tricky += QChar(0xDC00);
    for (int v = 0; v < UpperCaseVariantCount; ++v) {
        const QString upper = UpperCaseName(tricky, static_cast<UpperCaseVariant>(v));
        EXPECT_EQ(upper.size(), tricky.size()) << v;
        EXPECT_EQ(upper.at(upper.size() - 1), QChar(0xDC00));
    }
    for (int v = 0; v < LowerCaseVariantCount; ++v)
        EXPECT_EQ(LowerCaseName(tricky, static_cast<LowerCaseVariant>(v)).size(), tricky.size()) << v;
}

TEST(CaseCycles, ApplyThenAdvanceAndWrapAround)
{
    RenameList list = ListOf({U("photo.jpeg")}, {U("edited.jpeg")});
    UpperCaseCycle upper;
    QStringList seen;
    for (int click = 0; click < 5; ++click) {
        upper.click(list);
        seen.append(list.at(0).newName);
    }
    EXPECT_EQ(seen, Split("PHOTO.JPEG|Photo.jpeg|PHOTO.jpeg|photo.JPEG|PHOTO.JPEG"));
    // The lower case cycle from the current name, not the upper one's result.
    LowerCaseCycle lower;
    lower.click(list);
    lower.click(list);
    EXPECT_EQ(list.at(0).newName, U("photo.jpeg"));
    EXPECT_EQ(lower.nextVariant(), LV::AllCharacters);

    // An empty list still advances the cycle.
    RenameList empty;
    UpperCaseCycle other;
    other.click(empty);
    EXPECT_EQ(other.nextVariant(), UV::FirstCharacterOnly);
}

} // namespace
