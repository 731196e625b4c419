#include "ops/DateFormat.h"

#include <gtest/gtest.h>

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);

QDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

struct PatternCase {
    const char* pattern;
    QDateTime when;
    const char* expected;
};

// Monday 2024-05-06 07:08:09 unless a row says otherwise.
const QDateTime kMay6 = At(2024, 5, 6, 7, 8, 9);

TEST(DatePattern, FormatsEveryElementInJapanese)
{
    const PatternCase cases[] = {
        {"d", kMay6, "6"},
        {"dd", kMay6, "06"},
        {"ddd", kMay6, "月"},
        {"dddd", kMay6, "月曜日"},
        {"ddddd", kMay6, "2024/05/06"},
        {"dddddd", kMay6, "2024年5月6日"},
        {"ddddddd", kMay6, "2024年5月6日6"},
        {"w", kMay6, "2"},
        {"ww", kMay6, "19"},
        {"m", kMay6, "5"},
        {"mm", kMay6, "05"},
        {"mmm", kMay6, "5月"},
        {"mmmmm", kMay6, "5月5"},
        {"q", kMay6, "2"},
        {"y", kMay6, "127"},
        {"yy", kMay6, "24"},
        {"yyy", kMay6, "24127"},
        {"yyyy", kMay6, "2024"},
        {"YYYYMMDD", kMay6, "20240506"},
        {"h", kMay6, "7"},
        {"hh", kMay6, "07"},
        {"n", kMay6, "8"},
        {"nn", kMay6, "08"},
        {"s", kMay6, "9"},
        {"ss", kMay6, "09"},
        {"HH:NN:SS", kMay6, "07:08:09"},
        {"ttttt", kMay6, "7:08:09"},
        {"tttt", kMay6, "tttt"},
        {"c", kMay6, "2024/05/06 7:08:09"},
        {"", kMay6, "2024/05/06 7:08:09"},
        {"yyyy/mm/dd", kMay6, "2024/05/06"},
        // m after an hour element means minutes, literal text between or not.
        {"hh:mm", kMay6, "07:08"},
        {"hmm", kMay6, "708"},
        {"hh時mm分", kMay6, "07時08分"},
        {"h d m", kMay6, "7 6 5"},
        {"hh:mmm", kMay6, "07:5月"},
        {"mm:ss", kMay6, "05:09"},
        {"h AM/PM am/pm", kMay6, "7 AM am"},
        {"hA/P a/p", kMay6, "7A a"},
        {"AMPM h", kMay6, "午前 7"},
        {"\\d\\a\\y d", kMay6, "day 6"},
        {"\"dd\"dd", kMay6, "dd06"},
        {"\"yyyy", kMay6, "yyyy"}, // an unclosed quote runs to the end
        {"d\\", kMay6, "6"},
        {"\\😀d", kMay6, "😀6"},
        {" title ", kMay6, " title "},
        // The edges of the day and of the year.
        {"hh:nn:ss", At(2024, 1, 1), "00:00:00"},
        {"c", At(2024, 1, 1), "2024/01/01 0:00:00"},
        {"h:nn AM/PM", At(2024, 1, 1, 0, 30), "12:30 AM"},
        {"h:nn AM/PM", At(2024, 5, 6, 12, 0), "12:00 PM"},
        {"hh:nn am/pm", At(2024, 5, 6, 13, 5), "01:05 pm"},
        {"hh AMPM", At(2024, 5, 6, 23, 59), "11 午後"},
        {"y ww w q", At(2024, 1, 1), "1 1 2 1"},
        {"ww", At(2024, 1, 6), "1"}, // Saturday
        {"ww", At(2024, 1, 7), "2"}, // the first Sunday starts week 2
        {"y ww w", At(2024, 12, 31), "366 53 3"},
        {"y ww", At(2023, 12, 31), "365 53"},
        {"y ww w q", At(2000, 12, 31, 23, 59, 59), "366 54 1 4"}, // leap year that began on a Saturday
        {"yy", At(2009, 3, 1), "09"},
    };
    const DateLocale locale(kJapanese);
    for (const PatternCase& c : cases) {
        EXPECT_EQ(FormatDateTime(c.when, QString::fromUtf8(c.pattern), locale), QString::fromUtf8(c.expected))
            << c.pattern << " at " << c.when.toString(Qt::ISODate).toStdString();
    }
}

TEST(DateLocale, TakesFormsAndSeparatorsFromTheLocale)
{
    struct {
        QLocale locale;
        const char* shortDate;
        const char* longTime;
        const char* dateSeparator;
        const char* timeSeparator;
        const char* general;
    } const cases[] = {
        {kJapanese, "yyyy/MM/dd", "H:mm:ss", "/", ":", "2024/05/06 7:08:09"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "M/d/yy", "h:mm:ss AP", "/", ":",
         "5/6/24 7:08:09 AM"},
        {QLocale(QLocale::German, QLocale::Germany), "dd.MM.yy", "HH:mm:ss", ".", ":", "06.05.24 07:08:09"},
    };
    for (const auto& c : cases) {
        const DateLocale forms(c.locale);
        const std::string name = c.locale.name().toStdString();
        EXPECT_EQ(forms.shortDate, QString::fromUtf8(c.shortDate)) << name;
        EXPECT_EQ(forms.longTime, QString::fromUtf8(c.longTime)) << name;
        EXPECT_EQ(forms.dateSeparator, QString::fromUtf8(c.dateSeparator)) << name;
        EXPECT_EQ(forms.timeSeparator, QString::fromUtf8(c.timeSeparator)) << name;
        EXPECT_EQ(FormatDateTime(kMay6, u"", forms), QString::fromUtf8(c.general)) << name;
    }
    // The long date is the locale's without the weekday, which has elements of its own.
    const struct {
        const char* locale;
        const char* longDate;
    } longDates[] = {
        {"ja_JP", "2024年5月6日"},   {"zh_TW", "2024年5月6日"},      {"en_US", "May 6, 2024"},
        {"de_DE", "6. Mai 2024"},    {"es_ES", "6 de mayo de 2024"}, {"ru_RU", "6 мая 2024 г."},
        {"th_TH", "6 พฤษภาคม 2024"}, {"ko_KR", "2024년 5월 6일"},
    };
    for (const auto& c : longDates) {
        EXPECT_EQ(FormatDateTime(kMay6, u"dddddd", QLocale(QString::fromLatin1(c.locale))),
                  QString::fromUtf8(c.longDate))
            << c.locale;
    }
    // "/" and ":" in a pattern are the locale's separators, not the letters typed.
    EXPECT_EQ(FormatDateTime(kMay6, u"dd/mm/yyyy", QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("06.05.2024"));
}

} // namespace
