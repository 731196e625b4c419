#include "ops/PropertyNames.h"

#include "tests/support/ChangeRecorder.h"
#include "tests/support/FakeServices.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PropertyNames, ComposeTheNewName)
{
    using Compose = std::optional<QString> (*)(const QString&, const QString&);
    struct {
        Compose compose;
        // expected nullptr: the row keeps its new name
        const char *currentName, *value, *expected;
    } const cases[] = {
        {NameFromTitleValue, "01 track.mp3", "Song: A/B?", "Song; A_B.mp3"},
        {NameFromTitleValue, "track01", "Intro", "Intro"},
        {NameFromTitleValue, "song.mp3", "*?**?", nullptr},
        {NameFromTitleValue, "s.mp3", "One\nTwo", "OneTwo.mp3"}, // no line break in a name
        {NameFromTitleValue, "track01", "..", nullptr},          // the parent folder is no name
        {NameFromTrackValue, "a.b.mp3", "7", "07_a.b.mp3"},
        {NameFromTrackValue, "song.mp3", "", nullptr},
        {NameFromTrackValue, "s.mp3", "3/12", "3_12_s.mp3"}, // never a path
    };
    for (const auto& c : cases) {
        const std::optional<QString> name =
            c.compose(QString::fromUtf8(c.currentName), QString::fromUtf8(c.value));
        EXPECT_EQ(name.value_or(QStringLiteral("<kept>")).toStdString(), c.expected ? c.expected : "<kept>")
            << c.currentName << " / " << c.value;
    }
}

TEST(PropertyNames, TrackNumbersGetTwoDigits)
{
    struct {
        const char *input, *expected;
    } const cases[] = {
        {"7", "07"},   {"123", "123"},   {"007", "07"},
        {"-3", "-03"}, {" 5 ", "05"},    {"2.5", "2.5"},
        {"-", "-"},    {"１２", "１２"}, {"99999999999999999999", "99999999999999999999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTrackNumber(QString::fromUtf8(c.input)).toStdString(), c.expected) << c.input;
}

TEST(PropertyCommands, WriteRowsWithValuesInOneNotification)
{
    FakeDetails details;
    details.byFile[QStringLiteral("a.mp3")] = {{TitleHeader(), QStringLiteral("Song: A/B?")},
                                               {TrackNumberHeader(), QStringLiteral("3")}};
    details.byFile[QStringLiteral("c.ogg")] = {{TitleHeader(), QStringLiteral("*?")},
                                               {TrackNumberHeader(), QStringLiteral("12")}};
    RenameList list =
        ListOf(Split("a.mp3|b.mp3|c.ogg"), Split("earlier|earlier|earlier"), QStringLiteral("/music/"));
    ChangeRecorder recorder;
    list.setObserver(&recorder);

    NameFromTitle(list, details);
    EXPECT_EQ(NewNames(list), Split("Song; A_B.mp3|earlier|earlier"));
    EXPECT_EQ(details.asked.first(), QStringLiteral("/music/:a.mp3:") + TitleHeader());
    NameFromTrackNumber(list, details);
    EXPECT_EQ(NewNames(list), Split("03_a.mp3|earlier|12_c.ogg"));
    // One notification per command, covering only the rows written.
    EXPECT_EQ(recorder.changes, (QList<QPair<int, int>>{{0, 0}, {0, 2}}));
}

} // namespace
