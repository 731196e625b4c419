#include "ops/PropertyNames.h"

#include "core/CommandError.h"
#include "core/Paths.h"

#include "tests/support/CaseName.h"

#include <QHash>

#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace {

// Compared as std::string so that a failure prints the text.
std::string Text(const QString& text) {
    return text.toStdString();
}
std::string Text(const QStringList& texts) {
    return texts.join(QLatin1Char('|')).toStdString();
}

struct ComposeCase {
    const char* name;
    std::optional<QString> (*compose)(const QString&, const QString&);
    const char* currentName;
    const char* value;
    const char* expected; // nullptr: the row keeps its new name
};

const ComposeCase kComposeCases[] = {
    {"title is cleaned and keeps extension", NameFromTitleValue, "01 track.mp3", "Song: A/B?",
     "Song; A_B.mp3"},
    {"japanese title", NameFromTitleValue, "01.flac", "春の歌", "春の歌.flac"},
    {"title for name without extension", NameFromTitleValue, "track01", "Intro", "Intro"},
    {"title keeps only the last extension", NameFromTitleValue, "a.tar.gz", "T", "T.gz"},
    {"empty title", NameFromTitleValue, "song.mp3", "", nullptr},
    {"title of only wildcards", NameFromTitleValue, "song.mp3", "*?**?", nullptr},
    {"line break in title is dropped", NameFromTitleValue, "s.mp3", "One\nTwo", "OneTwo.mp3"},
    {"title naming the parent folder", NameFromTitleValue, "track01", "..", nullptr},
    {"track 3", NameFromTrackValue, "song.mp3", "3", "03_song.mp3"},
    {"track 12", NameFromTrackValue, "song.mp3", "12", "12_song.mp3"},
    {"track 123", NameFromTrackValue, "song.mp3", "123", "123_song.mp3"},
    {"track keeps whole name", NameFromTrackValue, "a.b.mp3", "7", "07_a.b.mp3"},
    {"no track", NameFromTrackValue, "song.mp3", "", nullptr},
    {"track text is not a number", NameFromTrackValue, "s.mp3", "A1", "A1_s.mp3"},
    {"track text cannot become a path", NameFromTrackValue, "s.mp3", "3/12", "3_12_s.mp3"},
};

class PropertyNameRows : public ::testing::TestWithParam<ComposeCase> {};

TEST_P(PropertyNameRows, ComposeTheNewName) {
    const ComposeCase& c = GetParam();
    const std::optional<QString> name =
        c.compose(QString::fromUtf8(c.currentName), QString::fromUtf8(c.value));
    if (c.expected == nullptr)
        EXPECT_FALSE(name.has_value()) << qPrintable(name.value_or(QString()));
    else
        EXPECT_EQ(Text(name.value_or(QStringLiteral("<none>"))), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, PropertyNameRows, ::testing::ValuesIn(kComposeCases), CaseName());

TEST(FormatTrackNumber, PadsWholeNumbersOnly) {
    struct {
        const char* input;
        const char* expected;
    } const cases[] = {
        {"0", "00"},
        {"7", "07"},
        {"007", "07"},
        {"-3", "-03"},
        {" 5 ", "05"},
        {"+4", "04"},
        {"3/12", "3/12"},
        {"2.5", "2.5"},
        {"", ""},
        {"-", "-"},
        {"x7", "x7"},
        {"１２", "１２"},
        {"99999999999999999999", "99999999999999999999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(FormatTrackNumber(QString::fromUtf8(c.input))), c.expected) << c.input;
}

// Values per full path and header; counts the questions asked.
class FakeDetails : public DetailSource {
public:
    QHash<QString, QHash<QString, QString>> values;
    QString failingName;
    int questions = 0;

    QString detailByHeader(const QString& folder, const QString& fileName, const QString& header) override {
        ++questions;
        if (fileName == failingName)
            throw CommandError(QStringLiteral("フォルダを開けません"));
        return values.value(JoinPath(folder, fileName, QLatin1Char('/'))).value(header);
    }
};

class CountingObserver : public RenameListObserver {
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

RenameList MakeList(std::initializer_list<const char*> names) {
    RenameList list;
    for (const char* name : names) {
        RenameEntry entry;
        entry.currentName = QString::fromUtf8(name);
        entry.newName = QStringLiteral("earlier");
        entry.folder = QStringLiteral("/music/");
        list.append(entry);
    }
    return list;
}

QStringList NewNames(const RenameList& list) {
    QStringList names;
    for (const RenameEntry& entry : list.rows())
        names.append(entry.newName);
    return names;
}

TEST(PropertyCommands, WriteRowsWithValuesAndKeepTheOthers) {
    FakeDetails details;
    details.values[QStringLiteral("/music/a.mp3")] = {{TitleHeader(), QStringLiteral("Song: A/B?")},
                                                      {TrackNumberHeader(), QStringLiteral("3")}};
    details.values[QStringLiteral("/music/c.ogg")] = {{TitleHeader(), QStringLiteral("*?")},
                                                      {TrackNumberHeader(), QStringLiteral("12")}};
    RenameList list = MakeList({"a.mp3", "b.mp3", "c.ogg"});
    CountingObserver observer;
    list.setObserver(&observer);

    RunPropertyMenuItem(0, list, details);
    EXPECT_EQ(Text(NewNames(list)), "Song; A_B.mp3|earlier|earlier");
    RunPropertyMenuItem(1, list, details);
    EXPECT_EQ(Text(NewNames(list)), "03_a.mp3|earlier|12_c.ogg");
    // One notification per command, covering only the rows written.
    EXPECT_EQ(observer.changes, (QList<std::pair<int, int>>{{0, 0}, {0, 2}}));

    const int asked = details.questions;
    RunPropertyMenuItem(2, list, details);
    RunPropertyMenuItem(-1, list, details);
    EXPECT_EQ(details.questions, asked);
}

TEST(PropertyCommands, StopAtAFailingRowKeepingTheWorkBefore) {
    FakeDetails details;
    details.values[QStringLiteral("/music/a.mp3")] = {{TitleHeader(), QStringLiteral("One")}};
    details.values[QStringLiteral("/music/c.mp3")] = {{TitleHeader(), QStringLiteral("Three")}};
    details.failingName = QStringLiteral("b.mp3");
    RenameList list = MakeList({"a.mp3", "b.mp3", "c.mp3"});
    CountingObserver observer;
    list.setObserver(&observer);

    EXPECT_THROW(NameFromTitle(list, details), CommandError);
    EXPECT_EQ(Text(NewNames(list)), "One.mp3|earlier|earlier");
    EXPECT_EQ(observer.changes, (QList<std::pair<int, int>>{{0, 0}}));
}

} // namespace
