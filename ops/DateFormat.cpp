#include "ops/DateFormat.h"

#include <algorithm>
#include <cstdlib>

namespace {

char16_t AsciiLower(QChar ch)
{
    const char16_t c = ch.unicode();
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

// Case-insensitive comparison of the pattern at position with an ASCII word
// written in lower case.
bool MatchesAt(QStringView pattern, qsizetype position, QStringView word)
{
    if (pattern.size() - position < word.size())
        return false;
    for (qsizetype k = 0; k < word.size(); ++k) {
        if (AsciiLower(pattern[position + k]) != word[k].unicode())
            return false;
    }
    return true;
}

qsizetype RunLength(QStringView pattern, qsizetype position, char16_t lower)
{
    qsizetype end = position;
    while (end < pattern.size() && AsciiLower(pattern[end]) == lower)
        ++end;
    return end - position;
}

// Calls visit(index, character) for every character of a QLocale format that
// is outside single-quoted text.
template <class Visit> void ForEachUnquoted(const QString& format, Visit visit)
{
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted)
            visit(i, format[i]);
    }
}

// The first character between the fields of a QLocale format; blanks do not
// count, because a locale that separates its fields only by blanks has no
// separator a user would type.
QString SeparatorOf(const QString& format, QLatin1Char fallback)
{
    QString separator;
    ForEachUnquoted(format, [&](qsizetype, QChar ch) {
        if (separator.isEmpty() && !ch.isLetter() && !ch.isSpace())
            separator = ch;
    });
    return separator.isEmpty() ? QString(fallback) : separator;
}

// The long time form is the short time form with seconds: QLocale's own long
// time carries the time zone and, for Japanese, the 時/分/秒 words, where the
// desktop's long time is H:mm:ss.
QString LongTimeFormatOf(const QLocale& locale, const QString& timeSeparator)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    bool hasSeconds = false;
    qsizetype afterMinutes = -1;
    ForEachUnquoted(format, [&](qsizetype i, QChar ch) {
        if (ch == u's')
            hasSeconds = true;
        if (ch == u'm')
            afterMinutes = i + 1;
    });
    if (!hasSeconds && afterMinutes >= 0)
        format.insert(afterMinutes, timeSeparator + QStringLiteral("ss"));
    return format;
}

// One piece of a QLocale format: a field (a run of one ASCII letter) or
// literal text, quoted or not, kept as written.
struct FormatPiece {
    bool field = false;
    QString text;
};

QList<FormatPiece> FormatPieces(const QString& format)
{
    QList<FormatPiece> pieces;
    auto literal = [&pieces](QStringView text) {
        if (pieces.isEmpty() || pieces.last().field)
            pieces.append(FormatPiece{false, {}});
        pieces.last().text += text;
    };
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar ch = format[i];
        qsizetype end = i + 1;
        if (ch == u'\'') {
            // Quoted text runs to the next quote that is not doubled; '' is a quote.
            const bool doubled = end < format.size() && format[end] == u'\'';
            while (!doubled && end < format.size()) {
                const bool quote = format[end] == u'\'';
                if (quote && (end + 1 >= format.size() || format[end + 1] != u'\'')) {
                    ++end;
                    break;
                }
                end += quote ? 2 : 1;
            }
            end = doubled ? end + 1 : end;
            literal(QStringView(format).mid(i, end - i));
        } else if (ch.isLetter() && ch.unicode() < 0x80) {
            while (end < format.size() && format[end] == ch)
                ++end;
            pieces.append(FormatPiece{true, format.mid(i, end - i)});
        } else {
            literal(QStringView(format).mid(i, 1));
        }
        i = end;
    }
    return pieces;
}

// The long date form is QLocale's long date without the weekday: the
// desktop's long date of Japanese is yyyy年M月d日 where QLocale's ends in
// dddd, and the weekday has elements of its own. The weekday goes with the
// text that joins it to the next field ("dddd, "); a weekday at the end takes
// only the blanks and punctuation before it, never a word like 日.
QString LongDateFormatOf(const QLocale& locale)
{
    QList<FormatPiece> pieces = FormatPieces(locale.dateFormat(QLocale::LongFormat));
    const auto weekday = std::find_if(pieces.begin(), pieces.end(), [](const FormatPiece& piece) {
        return piece.field && piece.text.size() >= 3 && piece.text.front() == u'd';
    });
    if (weekday == pieces.end())
        return locale.dateFormat(QLocale::LongFormat);
    const qsizetype at = weekday - pieces.begin();
    const bool fieldAfter =
        std::any_of(weekday + 1, pieces.end(), [](const FormatPiece& p) { return p.field; });
    if (fieldAfter) {
        pieces.remove(at, at + 1 < pieces.size() && !pieces.at(at + 1).field ? 2 : 1);
    } else {
        pieces.remove(at, pieces.size() - at);
        if (!pieces.isEmpty() && !pieces.last().field) {
            QString& before = pieces.last().text;
            while (!before.isEmpty() && !before.back().isLetterOrNumber() && before.back() != u'\'')
                before.chop(1);
        }
    }
    QString format;
    for (const FormatPiece& piece : pieces)
        format += piece.text;
    return format;
}

QString Two(int value)
{
    return ZeroPadded(value, 2);
}

} // namespace

DateLocale::DateLocale(const QLocale& from)
    : locale(from)
    , shortDate(from.dateFormat(QLocale::ShortFormat))
    , longDate(LongDateFormatOf(from))
    , dateSeparator(SeparatorOf(shortDate, QLatin1Char('/')))
    , timeSeparator(SeparatorOf(from.timeFormat(QLocale::ShortFormat), QLatin1Char(':')))
{
    longTime = LongTimeFormatOf(from, timeSeparator);
}

QString ZeroPadded(qint64 value, int width)
{
    // Through unsigned so the most negative value has a magnitude too.
    const quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    if (digits.size() < width)
        digits.prepend(QString(width - digits.size(), QLatin1Char('0')));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

int SundayWeekOfYear(const QDate& date)
{
    const int jan1Weekday = QDate(date.year(), 1, 1).dayOfWeek() % 7; // 0 = Sunday
    return (date.dayOfYear() - 1 + jan1Weekday) / 7 + 1;
}

void DatePattern::add(Element element)
{
    m_parts.append(Part{element, {}});
}

void DatePattern::addLiteral(QStringView text)
{
    if (text.isEmpty())
        return;
    if (!m_parts.isEmpty() && m_parts.last().element == Element::Literal)
        m_parts.last().literal += text;
    else
        m_parts.append(Part{Element::Literal, text.toString()});
}

DatePattern::DatePattern(QStringView pattern)
{
    if (pattern.isEmpty()) {
        add(Element::General);
        return;
    }
    // m and mm mean minutes when the nearest element before them is an hour;
    // literal text and separators in between ("hh:mm", "h時m分") do not count.
    bool afterHour = false;
    auto element = [&](Element e) {
        add(e);
        afterHour = e == Element::Hour || e == Element::Hour2;
    };

    const qsizetype size = pattern.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar ch = pattern[i];
        const char16_t lower = AsciiLower(ch);

        if (ch == u'\\') {
            if (i + 1 >= size) // a backslash at the very end escapes nothing
                break;
            const bool pair =
                pattern[i + 1].isHighSurrogate() && i + 2 < size && pattern[i + 2].isLowSurrogate();
            const qsizetype length = pair ? 2 : 1;
            addLiteral(pattern.mid(i + 1, length));
            i += 1 + length;
            continue;
        }
        if (ch == u'"') {
            qsizetype close = pattern.indexOf(u'"', i + 1);
            if (close < 0) // an unclosed quote runs to the end
                close = size;
            addLiteral(pattern.mid(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        if (ch == u'/' || ch == u':') {
            add(ch == u'/' ? Element::DateSeparator : Element::TimeSeparator);
            ++i;
            continue;
        }
        if (lower == u'a') {
            const bool upper = ch == u'A';
            if (MatchesAt(pattern, i, u"am/pm")) {
                element(upper ? Element::AmPmUpper : Element::AmPmLower);
                i += 5;
            } else if (MatchesAt(pattern, i, u"ampm")) {
                element(Element::AmPmLocale);
                i += 4;
            } else if (MatchesAt(pattern, i, u"a/p")) {
                element(upper ? Element::APUpper : Element::APLower);
                i += 3;
            } else {
                addLiteral(pattern.mid(i, 1));
                ++i;
                continue;
            }
            m_twelveHour = true;
            continue;
        }

        const qsizetype run = RunLength(pattern, i, lower);
        qsizetype used = 1;
        switch (lower) {
        case u'd': {
            static constexpr Element kDays[] = {Element::Day,          Element::Day2,
                                                Element::WeekdayShort, Element::WeekdayLong,
                                                Element::ShortDate,    Element::LongDate};
            used = std::min<qsizetype>(run, 6);
            element(kDays[used - 1]);
            break;
        }
        case u'w':
            used = std::min<qsizetype>(run, 2);
            element(used == 1 ? Element::WeekdayNumber : Element::WeekOfYear);
            break;
        case u'm':
            if (run >= 3) {
                used = std::min<qsizetype>(run, 4);
                element(used == 3 ? Element::MonthShort : Element::MonthLong);
            } else {
                used = run;
                if (afterHour)
                    element(used == 1 ? Element::Minute : Element::Minute2);
                else
                    element(used == 1 ? Element::Month : Element::Month2);
            }
            break;
        case u'q':
            element(Element::Quarter);
            break;
        case u'y':
            used = run >= 4 ? 4 : std::min<qsizetype>(run, 2);
            element(used == 4 ? Element::Year4 : used == 2 ? Element::Year2 : Element::DayOfYear);
            break;
        case u'h':
            used = std::min<qsizetype>(run, 2);
            element(used == 1 ? Element::Hour : Element::Hour2);
            break;
        case u'n':
            used = std::min<qsizetype>(run, 2);
            element(used == 1 ? Element::Minute : Element::Minute2);
            break;
        case u's':
            used = std::min<qsizetype>(run, 2);
            element(used == 1 ? Element::Second : Element::Second2);
            break;
        case u't':
            // Only five t's mean something; fewer are plain letters.
            used = run >= 5 ? 5 : run;
            if (used == 5)
                element(Element::LongTime);
            else
                addLiteral(pattern.mid(i, used));
            break;
        case u'c':
            element(Element::General);
            break;
        default:
            addLiteral(pattern.mid(i, 1));
            break;
        }
        i += used;
    }
}

QString DatePattern::format(const QDateTime& when, const DateLocale& forms) const
{
    const QDate date = when.date();
    const QTime time = when.time();
    const QLocale& locale = forms.locale;
    const bool morning = time.hour() < 12;
    const int hour = m_twelveHour ? (time.hour() + 11) % 12 + 1 : time.hour();

    QString out;
    for (const Part& part : m_parts) {
        switch (part.element) {
        case Element::Literal:
            out += part.literal;
            break;
        case Element::Day:
            out += QString::number(date.day());
            break;
        case Element::Day2:
            out += Two(date.day());
            break;
        case Element::WeekdayShort:
            out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            break;
        case Element::WeekdayLong:
            out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
            break;
        case Element::ShortDate:
            out += locale.toString(date, forms.shortDate);
            break;
        case Element::LongDate:
            out += locale.toString(date, forms.longDate);
            break;
        case Element::WeekdayNumber:
            out += QString::number(date.dayOfWeek() % 7 + 1);
            break;
        case Element::WeekOfYear:
            out += QString::number(SundayWeekOfYear(date));
            break;
        case Element::Month:
            out += QString::number(date.month());
            break;
        case Element::Month2:
            out += Two(date.month());
            break;
        case Element::MonthShort:
            out += locale.monthName(date.month(), QLocale::ShortFormat);
            break;
        case Element::MonthLong:
            out += locale.monthName(date.month(), QLocale::LongFormat);
            break;
        case Element::Quarter:
            out += QString::number((date.month() + 2) / 3);
            break;
        case Element::DayOfYear:
            out += QString::number(date.dayOfYear());
            break;
        case Element::Year2:
            out += Two(std::abs(date.year()) % 100);
            break;
        case Element::Year4:
            out += ZeroPadded(date.year(), 4);
            break;
        case Element::Hour:
            out += QString::number(hour);
            break;
        case Element::Hour2:
            out += Two(hour);
            break;
        case Element::Minute:
            out += QString::number(time.minute());
            break;
        case Element::Minute2:
            out += Two(time.minute());
            break;
        case Element::Second:
            out += QString::number(time.second());
            break;
        case Element::Second2:
            out += Two(time.second());
            break;
        case Element::LongTime:
            out += locale.toString(time, forms.longTime);
            break;
        case Element::General:
            out += locale.toString(date, forms.shortDate) + QLatin1Char(' ') +
                   locale.toString(time, forms.longTime);
            break;
        case Element::AmPmUpper:
            out += morning ? QStringLiteral("AM") : QStringLiteral("PM");
            break;
        case Element::AmPmLower:
            out += morning ? QStringLiteral("am") : QStringLiteral("pm");
            break;
        case Element::APUpper:
            out += QLatin1Char(morning ? 'A' : 'P');
            break;
        case Element::APLower:
            out += QLatin1Char(morning ? 'a' : 'p');
            break;
        case Element::AmPmLocale:
            out += morning ? locale.amText() : locale.pmText();
            break;
        case Element::DateSeparator:
            out += forms.dateSeparator;
            break;
        case Element::TimeSeparator:
            out += forms.timeSeparator;
            break;
        }
    }
    return out;
}

QString FormatDateTime(const QDateTime& when, QStringView pattern, const DateLocale& locale)
{
    return DatePattern(pattern).format(when, locale);
}
