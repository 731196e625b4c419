#pragma once
// Date and time formatting with a user's pattern (the date tokens of an
// insertion text): d, dd, ddd, dddd, ddddd, dddddd, w, ww, m, mm, mmm, mmmm,
// q, y, yy, yyyy, h, hh, n, nn, s, ss, ttttt, c, AM/PM, am/pm, A/P, a/p, AMPM,
// "/" and ":" as the locale's separators, "\x" and "quoted text" as literal
// text. Pattern letters are matched without regard to case; any other
// character stands for itself. m and mm mean minutes when the nearest element
// before them is h or hh ("hh:mm", "h時m分"). Names and the whole-date and
// whole-time forms come from a QLocale.

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringView>

// What the pattern elements need from a locale, read once per command rather
// than once per row. Built implicitly from a QLocale on purpose, so a QLocale
// can be passed wherever the forms are wanted.
struct DateLocale {
    DateLocale(const QLocale& locale);

    QLocale locale;
    QString shortDate;     // QLocale format of the short date (ddddd)
    QString longDate;      // QLocale format of the long date (dddddd)
    QString longTime;      // QLocale format of the long time (ttttt): hours, minutes, seconds, no zone
    QString dateSeparator; // what "/" becomes
    QString timeSeparator; // what ":" becomes
};

// A pattern taken apart once, so formatting it for many rows does not parse
// it again. The empty pattern is the general form: short date, a blank, long
// time.
class DatePattern {
public:
    DatePattern()
        : DatePattern(QStringView())
    {}
    explicit DatePattern(QStringView pattern);

    [[nodiscard]] QString format(const QDateTime& when, const DateLocale& locale) const;

private:
    enum class Element : quint8 {
        Literal,
        Day,
        Day2,
        WeekdayShort,
        WeekdayLong,
        ShortDate,
        LongDate,
        WeekdayNumber,
        WeekOfYear,
        Month,
        Month2,
        MonthShort,
        MonthLong,
        Quarter,
        DayOfYear,
        Year2,
        Year4,
        Hour,
        Hour2,
        Minute,
        Minute2,
        Second,
        Second2,
        LongTime,
        General,
        AmPmUpper,
        AmPmLower,
        APUpper,
        APLower,
        AmPmLocale,
        DateSeparator,
        TimeSeparator,
    };
    struct Part {
        Element element = Element::Literal;
        QString literal;
    };

    void add(Element element);
    void addLiteral(QStringView text);

    QList<Part> m_parts;
    bool m_twelveHour = false; // an AM/PM element anywhere turns h and hh to the twelve-hour clock
};

// value in decimal with at least width digits; a minus sign goes in front of
// the padding ("-01" for -1 with width 2).
[[nodiscard]] QString ZeroPadded(qint64 value, int width);

[[nodiscard]] QString FormatDateTime(const QDateTime& when, QStringView pattern, const DateLocale& locale);

// Week of the year with weeks starting on Sunday and week 1 holding
// January 1, so a year has 53 or 54 weeks.
[[nodiscard]] int SundayWeekOfYear(const QDate& date);
