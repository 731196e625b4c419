#include "ops/DateFormat.h"

#include <gtest/gtest.h>

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);

QDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// Monday 2024-05-06 07:08:09 unless a row says otherwise.
const QDateTime kMay6 = At(2024, 5, 6, 7, 8, 9);

TEST(DatePattern, FormatsEveryElementInJapanese)
{
    const struct {
        const char* pattern;
        QDateTime when;
        const char* expected;
    } cases[] = {
        {"d dd ddd dddd|ddddd|dddddd|ddddddd", kMay6, "6 06 月 月曜日|2024/05/06|2024年5月6日|2024年5月6日6"},
        {"w ww m mm mmm mmmmm q y yy yyy yyyy YYYYMMDD", kMay6,
         "2 19 5 05 5月 5月5 2 127 24 24127 2024 20240506"},
        {"h hh n nn s ss HH:NN:SS ttttt tttt", kMay6, "7 07 8 08 9 09 07:08:09 7:08:09 tttt"},
        // m after an hour element means minutes, literal text between or not.
        {"hh:mm hmm hh時mm分", kMay6, "07:08 708 07時08分"},
        {"h AM/PM am/pm hA/P a/p AMPM", kMay6, "7 AM am 7A a 午前"},
        {"\\d\\a\\y d \"dd\"dd \\😀d", kMay6, "day 6 dd06 😀6"},
        {"\"yyyy", kMay6, "yyyy"}, // an unclosed quote runs to the end
        {"d\\", kMay6, "6"},
        // The edges of the day and of the year.
        {"c", At(2024, 1, 1), "2024/01/01 0:00:00"},
        {"h:nn AM/PM", At(2024, 1, 1, 0, 30), "12:30 AM"},
        {"h:nn AM/PM", At(2024, 5, 6, 12, 0), "12:00 PM"},
        {"ww", At(2024, 1, 6), "1"},                              // Saturday
        {"y ww w q", At(2000, 12, 31, 23, 59, 59), "366 54 1 4"}, // leap year that began on a Saturday
    };
    const DateLocale locale(kJapanese);
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDateTime(c.when, QString::fromUtf8(c.pattern), locale), QString::fromUtf8(c.expected))
            << c.pattern << " at " << c.when.toString(Qt::ISODate).toStdString();
    }
}

TEST(DateLocale, TakesFormsAndSeparatorsFromTheLocale)
{
    const DateLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(english.shortDate + u'|' + english.longTime, QStringLiteral("M/d/yy|h:mm:ss AP"));
    EXPECT_EQ(FormatDateTime(kMay6, u"", english), QStringLiteral("5/6/24 7:08:09 AM"));
    // The long date is the locale's without the weekday, which has elements of its own.
    for (const auto& [locale, longDate] : {std::pair{"en_US", "May 6, 2024"}, {"ko_KR", "2024년 5월 6일"}})
        EXPECT_EQ(FormatDateTime(kMay6, u"dddddd", QLocale(QString::fromLatin1(locale))),
                  QString::fromUtf8(longDate))
            << locale;
    // "/" and ":" in a pattern are the locale's separators, not the letters typed.
    EXPECT_EQ(FormatDateTime(kMay6, u"dd/mm/yyyy hh:nn", QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("06.05.2024 07:08"));
}

} // namespace
