#include "ops/PropertyNames.h"

#include "core/Paths.h"

#include <QHash>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PropertyNames, ComposeTheNewName) {
    using Compose = std::optional<QString> (*)(const QString&, const QString&);
    struct {
        Compose compose;
        const char* currentName;
        const char* value;
        const char* expected; // nullptr: the row keeps its new name
    } const cases[] = {
        {NameFromTitleValue, "01 track.mp3", "Song: A/B?", "Song; A_B.mp3"},
        {NameFromTitleValue, "01.flac", "春の歌", "春の歌.flac"},
        {NameFromTitleValue, "track01", "Intro", "Intro"},
        {NameFromTitleValue, "a.tar.gz", "T", "T.gz"},
        {NameFromTitleValue, "song.mp3", "", nullptr},
        {NameFromTitleValue, "song.mp3", "*?**?", nullptr},
        {NameFromTitleValue, "s.mp3", "One\nTwo", "OneTwo.mp3"}, // no line break in a name
        {NameFromTitleValue, "track01", "..", nullptr},          // the parent folder is no name
        {NameFromTrackValue, "song.mp3", "3", "03_song.mp3"},
        {NameFromTrackValue, "song.mp3", "12", "12_song.mp3"},
        {NameFromTrackValue, "song.mp3", "123", "123_song.mp3"},
        {NameFromTrackValue, "a.b.mp3", "7", "07_a.b.mp3"},
        {NameFromTrackValue, "song.mp3", "", nullptr},
        {NameFromTrackValue, "s.mp3", "A1", "A1_s.mp3"},
        {NameFromTrackValue, "s.mp3", "3/12", "3_12_s.mp3"}, // never a path
    };
    for (const auto& c : cases) {
        const std::optional<QString> name =
            c.compose(QString::fromUtf8(c.currentName), QString::fromUtf8(c.value));
        EXPECT_EQ(name.value_or(QStringLiteral("<kept>")).toStdString(), c.expected ? c.expected : "<kept>")
            << c.currentName << " / " << c.value;
    }
}

TEST(PropertyNames, TrackNumbersGetTwoDigits) {
    struct {
        const char* input;
        const char* expected;
    } const cases[] = {
        {"0", "00"},      {"7", "07"},
        {"007", "07"},    {"-3", "-03"},
        {" 5 ", "05"},    {"3/12", "3/12"},
        {"2.5", "2.5"},   {"-", "-"},
        {"１２", "１２"}, {"99999999999999999999", "99999999999999999999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTrackNumber(QString::fromUtf8(c.input)).toStdString(), c.expected) << c.input;
}

// Values per full path and header.
class FakeDetails : public DetailSource {
public:
    QHash<QString, QHash<QString, QString>> values;
    int questions = 0;

    QString detailByHeader(const QString& folder, const QString& fileName, const QString& header) override {
        ++questions;
        return values.value(JoinPath(folder, fileName, QLatin1Char('/'))).value(header);
    }
};

class ChangeRecorder : public RenameListObserver {
public:
    QList<std::pair<int, int>> changes;
    void beginAppend(int, int) override {}
    void endAppend() override {}
    void beginRemove(int, int) override {}
    void endRemove() override {}
    void beginReset() override {}
    void endReset() override {}
    void beginReorder() override {}
    void endReorder() override {}
    void rowsChanged(int first, int last) override { changes.append({first, last}); }
    void selectionChanged(int) override {}
};

std::string NewNames(const RenameList& list) {
    QStringList names;
    for (const RenameEntry& entry : list.rows())
        names.append(entry.newName);
    return names.join(QLatin1Char('|')).toStdString();
}

TEST(PropertyCommands, WriteRowsWithValuesInOneNotification) {
    FakeDetails details;
    details.values[QStringLiteral("/music/a.mp3")] = {{TitleHeader(), QStringLiteral("Song: A/B?")},
                                                      {TrackNumberHeader(), QStringLiteral("3")}};
    details.values[QStringLiteral("/music/c.ogg")] = {{TitleHeader(), QStringLiteral("*?")},
                                                      {TrackNumberHeader(), QStringLiteral("12")}};
    RenameList list;
    for (const char* name : {"a.mp3", "b.mp3", "c.ogg"})
        list.append({QString::fromUtf8(name), QStringLiteral("earlier"), {}, QStringLiteral("/music/"), 0});
    ChangeRecorder recorder;
    list.setObserver(&recorder);

    RunPropertyMenuItem(0, list, details);
    EXPECT_EQ(NewNames(list), "Song; A_B.mp3|earlier|earlier");
    RunPropertyMenuItem(1, list, details);
    EXPECT_EQ(NewNames(list), "03_a.mp3|earlier|12_c.ogg");
    // One notification per command, covering only the rows written.
    EXPECT_EQ(recorder.changes, (QList<std::pair<int, int>>{{0, 0}, {0, 2}}));

    const int asked = details.questions;
    RunPropertyMenuItem(2, list, details);
    RunPropertyMenuItem(-1, list, details);
    EXPECT_EQ(details.questions, asked);
}

} // namespace
