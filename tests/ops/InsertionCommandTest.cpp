#include "ops/InsertionCommand.h"

#include "core/CommandError.h"
#include "core/RenameList.h"
#include "core/Services.h"
#include "ops/InsertionHistory.h"

#include "tests/support/ChangeRecorder.h"
#include "tests/support/FakeServices.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QDateTime kNow(QDate(2024, 5, 6), QTime(7, 8, 9));
const InsertionClock kFixedClock = [] { return kNow; };

RenameList ThreeRows()
{
    RenameList list = ListOf(Split("a.jpg|b.jpg|c.png"), Split("earlier edit|earlier edit|earlier edit"),
                             QStringLiteral("/photos"));
    RenameList::EditScope scope(list);
    for (int row = 0; row < list.count(); ++row)
        scope.row(row).previousName = QStringLiteral("old");
    return list;
}

TEST(ApplyInsertion, BuildsEveryRowsNewName)
{
    using enum InsertionKind;
    struct {
        InsertionKind kind;
        // expected: the three new names
        const char *text, *expected;
    } const cases[] = {
        {ChangeName, "IMG_<001>", "IMG_001.jpg|IMG_002.jpg|IMG_003.png"},
        {ChangeName, "<００１>", "001.jpg|002.jpg|003.png"}, // keeps its width of three
        {Append, "-<-1>", "a--01.jpg|b-00.jpg|c-01.png"},
        {ChangeExtension, "txt", "a.txt|b.txt|c.txt"},
        {Prepend, "<yyyy/mm/dd>-", "2024_05_06-a.jpg|2024_05_06-b.jpg|2024_05_06-c.png"},
        {Prepend, "<>", "2024_05_06 7;08;09a.jpg|2024_05_06 7;08;09b.jpg|2024_05_06 7;08;09c.png"},
        {ChangeName, "<Title>", "What.jpg|What.jpg|What.png"},
        {Prepend, "x<y", "x(ya.jpg|x(yb.jpg|x(yc.png"},
        {Append, "_\"<artist>\"", "a_'A_B'.jpg|b_'A_B'.jpg|c_'A_B'.png"},
    };
    FakeDetails details;
    // Tags may carry line breaks and tabs; none reaches a name.
    details.values = {{QStringLiteral("タイトル"), QStringLiteral("Wh\nat?")},
                      {QStringLiteral("アーティスト"), QStringLiteral("A/\tB\r\n")}};
    for (const auto& c : cases) {
        RenameList list = ThreeRows();
        ChangeRecorder observer;
        list.setObserver(&observer);
        ApplyInsertion(list, c.kind, QString::fromUtf8(c.text), details, kFixedClock, kJapanese);
        EXPECT_EQ(NewNames(list), Split(c.expected)) << c.text;
        EXPECT_EQ(observer.changes, (QList<QPair<int, int>>{{0, 2}})) << "one notification for all rows";
        EXPECT_EQ(list.at(0).currentName, QStringLiteral("a.jpg"));
        EXPECT_EQ(list.at(0).previousName, QStringLiteral("old"));
    }
}

// Properties are asked for each row, the clock is read once per date token,
// and a failing row ends the walk with the earlier rows written.
TEST(ApplyInsertion, AsksEachRowReadsTheClockPerTokenAndStopsAtAFailure)
{
    RenameList list = ThreeRows();
    ChangeRecorder observer;
    list.setObserver(&observer);
    FakeDetails details;
    details.values = {{QStringLiteral("アーティスト"), QStringLiteral("Z")}};
    details.failOn = QStringLiteral("b.jpg");
    int reads = 0;
    // A clock that moves one minute on every read.
    const InsertionClock clock = [&reads] { return kNow.addSecs(60 * reads++); };
    EXPECT_THROW(ApplyInsertion(list, InsertionKind::Prepend, QStringLiteral("<nn><artist>_<nn>"), details,
                                clock, kJapanese),
                 CommandError);
    EXPECT_EQ(NewNames(list), Split("08Z_09a.jpg|earlier edit|earlier edit"));
    EXPECT_EQ(details.asked, Split("/photos:a.jpg:アーティスト|/photos:b.jpg:アーティスト"));
    EXPECT_EQ(observer.changes, (QList<QPair<int, int>>{{0, 0}}));
}

TEST(ApplyInsertion, KeepsTheNewNameOfARowWithoutTheValueAndSaysWhy)
{
    RenameList list = ThreeRows();
    FakeDetails details;
    details.taken = {{QStringLiteral("a.jpg"), kNow}, {QStringLiteral("c.png"), kNow.addDays(1)}};
    ApplyInsertion(list, InsertionKind::ChangeName, QStringLiteral("<撮影日:yyyymmdd>_<001>"), details,
                   kFixedClock, kJapanese);
    EXPECT_EQ(NewNames(list), Split("20240506_001.jpg|earlier edit|20240507_003.png"));
    EXPECT_EQ(list.at(1).keptReason, KeptNameReason::NoDateTaken);
    // The next command that writes the row takes the reason away.
    ApplyInsertion(list, InsertionKind::ChangeName, QStringLiteral("x"), details, kFixedClock, kJapanese);
    EXPECT_EQ(list.at(1).keptReason, KeptNameReason::None);
}

TEST(RunInsertionCommand, RemembersTheTextAlsoWhenNoRowChanged)
{
    RenameList list = ThreeRows();
    FakeDetails details;
    QStringList history{QStringLiteral("older")};
    EXPECT_THROW(RunInsertionCommand(list, InsertionKind::ChangeName, QStringLiteral("IMG_<40000>"), history,
                                     details, kFixedClock, kJapanese),
                 CommandError);
    EXPECT_EQ(NewNames(list), QStringList(3, QStringLiteral("earlier edit")));
    EXPECT_EQ(history, (QStringList{QStringLiteral("IMG_<40000>"), QStringLiteral("older")}));

    // An empty text does nothing at all.
    RunInsertionCommand(list, InsertionKind::ChangeName, QString(), history, details, kFixedClock, kJapanese);
    EXPECT_EQ(NewNames(list), QStringList(3, QStringLiteral("earlier edit")));
    EXPECT_EQ(history.size(), 2);
}

TEST(RememberInsertionText, KeepsTenNewestWithoutRepeats)
{
    struct {
        // before: one entry per letter
        // used: texts used, in order
        const char *name, *before, *used, *after;
    } const cases[] = {
        {"A B A", "", "ABA", "AB"},
        {"exact comparison", "A", "a", "aA"},
        {"only the first repeat goes", "AXA", "A", "AXA"},
        {"eleven texts keep ten", "", "ABCDEFGHIJK", "KJIHGFEDCB"},
        {"a long loaded list is cut", "LKJIHGFEDCBA", "Z", "ZLKJIHGFED"},
    };
    const auto letters = [](const char* text) { return U(text).split(QString(), Qt::SkipEmptyParts); };
    for (const auto& c : cases) {
        QStringList history = letters(c.before);
        for (const QString& text : letters(c.used))
            RememberInsertionText(history, text);
        EXPECT_EQ(history, letters(c.after)) << c.name;
    }
    QStringList history{QStringLiteral("A")};
    RememberInsertionText(history, QString());
    EXPECT_EQ(history, QStringList{QStringLiteral("A")});
}

} // namespace
