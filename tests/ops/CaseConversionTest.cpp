#include "ops/CaseConversion.h"

#include "tests/support/CaseName.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

namespace {

using UV = UpperCaseVariant;
using LV = LowerCaseVariant;

struct UpperCase {
    const char* name;
    const char* input;
    UpperCaseVariant variant;
    const char* expected;
};

const UpperCase kUpperCases[] = {
    {"all", "photo.jpeg", UV::AllCharacters, "PHOTO.JPEG"},
    {"first", "photo.jpeg", UV::FirstCharacterOnly, "Photo.jpeg"},
    {"base", "photo.jpeg", UV::BaseNameOnly, "PHOTO.jpeg"},
    {"extension", "photo.jpeg", UV::ExtensionOnly, "photo.JPEG"},
    {"first lowers the rest", "mixedCase.Txt", UV::FirstCharacterOnly, "Mixedcase.txt"},
    {"base with two dots", "archive.tar.gz", UV::BaseNameOnly, "ARCHIVE.TAR.gz"},
    {"extension with two dots", "archive.tar.gz", UV::ExtensionOnly, "archive.tar.GZ"},
    {"base without dot", "ReadMe", UV::BaseNameOnly, "README"},
    {"extension without dot", "ReadMe", UV::ExtensionOnly, "ReadMe"},
    {"base of dot file", ".gitignore", UV::BaseNameOnly, ".gitignore"},
    {"extension of dot file", ".gitignore", UV::ExtensionOnly, ".GITIGNORE"},
    {"first of dot file", ".GitIgnore", UV::FirstCharacterOnly, ".gitignore"},
    {"first kana", "かなABC.TXT", UV::FirstCharacterOnly, "かなabc.txt"},
    {"sharp s keeps its length", "straße.txt", UV::AllCharacters, "STRAßE.TXT"},
    {"ligature keeps its length", "ﬁle", UV::AllCharacters, "ﬁLE"},
    {"full width letters", "ｆｉｌｅ．ｔｘｔ", UV::AllCharacters, "ＦＩＬＥ．ＴＸＴ"},
    {"surrogate pair letters", "𐐨𐐩.txt", UV::AllCharacters, "𐐀𐐁.TXT"},
    {"first is a surrogate pair", "𐐨𐐀.TXT", UV::FirstCharacterOnly, "𐐀𐐨.txt"},
    {"first is an emoji", "🎵SONG.MP3", UV::FirstCharacterOnly, "🎵song.mp3"},
    {"first with combining mark", "e\xCC\x81LAN", UV::FirstCharacterOnly, "E\xCC\x81lan"},
    {"kanji and kana pass", "写真カタカナ.jpg", UV::AllCharacters, "写真カタカナ.JPG"},
    {"empty first", "", UV::FirstCharacterOnly, ""},
};

class UpperCaseNames : public ::testing::TestWithParam<UpperCase> {};

TEST_P(UpperCaseNames, FollowTheVariant)
{
    const UpperCase& c = GetParam();
    EXPECT_EQ(UpperCaseName(U(c.input), c.variant), U(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, UpperCaseNames, ::testing::ValuesIn(kUpperCases), CaseName());

struct LowerCase {
    const char* name;
    const char* input;
    LowerCaseVariant variant;
    const char* expected;
};

const LowerCase kLowerCases[] = {
    {"all", "IMG_01.JPG", LV::AllCharacters, "img_01.jpg"},
    {"extension", "IMG_01.JPG", LV::ExtensionOnly, "IMG_01.jpg"},
    {"extension without dot", "README", LV::ExtensionOnly, "README"},
    {"extension of dot file", ".GITIGNORE", LV::ExtensionOnly, ".gitignore"},
    {"dotted capital i keeps its length", "İSTANBUL.TXT", LV::AllCharacters, "istanbul.txt"},
    {"surrogate pair letters", "𐐀.TXT", LV::AllCharacters, "𐐨.txt"},
    {"empty", "", LV::ExtensionOnly, ""},
};

class LowerCaseNames : public ::testing::TestWithParam<LowerCase> {};

TEST_P(LowerCaseNames, FollowTheVariant)
{
    const LowerCase& c = GetParam();
    EXPECT_EQ(LowerCaseName(U(c.input), c.variant), U(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, LowerCaseNames, ::testing::ValuesIn(kLowerCases), CaseName());

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
    const QString longName = QString(20000, QChar(u'a')) + QStringLiteral(".TXT");
    EXPECT_EQ(UpperCaseName(longName, UV::FirstCharacterOnly), u'A' + QString(19999, QChar(u'a')) + u".txt");
}

// Clicks a cycle button `clicks` times on a one-row list; gives the new name
// after each click.
template <class Cycle> QStringList ClickThrough(Cycle& cycle, const char* current, int clicks)
{
    RenameList list = ListOf({U(current)}, {U("edited.jpeg")});
    QStringList seen;
    for (int click = 0; click < clicks; ++click) {
        cycle.click(list);
        seen.append(list.at(0).newName);
    }
    return seen;
}

TEST(CaseCycles, ApplyThenAdvanceAndWrapAround)
{
    UpperCaseCycle upper;
    EXPECT_EQ(ClickThrough(upper, "photo.jpeg", 5),
              Split("PHOTO.JPEG|Photo.jpeg|PHOTO.jpeg|photo.JPEG|PHOTO.JPEG"));
    LowerCaseCycle lower;
    EXPECT_EQ(ClickThrough(lower, "IMG_01.JPG", 3), Split("img_01.jpg|IMG_01.jpg|img_01.jpg"));
}

TEST(CaseCycles, AdvanceOnAnEmptyListAndVariantsStartFromTheCurrentName)
{
    RenameList empty;
    UpperCaseCycle upper;
    LowerCaseCycle lower;
    upper.click(empty);
    lower.click(empty);
    EXPECT_EQ(upper.nextVariant(), UV::FirstCharacterOnly);
    EXPECT_EQ(lower.nextVariant(), LV::ExtensionOnly);

    // Upper all, then lower extension: both from the current name.
    RenameList list = ListOf({U("Photo.Jpeg")});
    ApplyUpperCase(list, UV::AllCharacters);
    ApplyLowerCase(list, LV::ExtensionOnly);
    EXPECT_EQ(list.at(0).newName, U("Photo.jpeg"));
}

} // namespace
