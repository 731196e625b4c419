#include "ops/InsertionTemplate.h"

#include "core/Blanks.h"
#include "core/CommandError.h"
#include "core/Paths.h"
#include "core/Services.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

const QString& TitleHeader()
{
    static const QString header = QStringLiteral("タイトル");
    return header;
}

const QString& TrackNumberHeader()
{
    static const QString header = QStringLiteral("トラック番号");
    return header;
}

const QString& ArtistHeader()
{
    static const QString header = QStringLiteral("アーティスト");
    return header;
}

constexpr qint64 kDecimalLimit = 1'000'000'000'000'000;

// A Japanese input method in full-width mode types digits, signs and the
// point as their full-width forms (and some the minus sign U+2212); a number
// typed so is the same number.
char16_t AsciiForm(QChar ch)
{
    const char16_t c = ch.unicode();
    if ((c >= u'０' && c <= u'９') || c == u'＋' || c == u'－' || c == u'．')
        return char16_t(c - u'０' + u'0');
    if (c == u'\u2212')
        return u'-';
    return c;
}

bool IsDigit(QChar ch)
{
    const char16_t c = AsciiForm(ch);
    return c >= u'0' && c <= u'9';
}

// "撮影日:yyyymmdd": the file date a token names before its colon (half- or
// full-width), with the pattern after it.
bool TakeFileDate(InsertionToken& token, QStringView text)
{
    const qsizetype colon = text.indexOf(QRegularExpression(QStringLiteral("[:：]")));
    if (colon < 0)
        return false;
    const QStringView name = text.first(colon);
    if (name == u"撮影日")
        token.kind = InsertionTokenKind::DateTaken;
    else if (name == u"更新日")
        token.kind = InsertionTokenKind::ModificationTime;
    else if (name == u"撮影日|更新日")
        token.kind = InsertionTokenKind::DateTakenOrModification;
    else
        return false;
    token.pattern = DatePattern(text.sliced(colon + 1));
    return true;
}

// One file's dates, read when a token first wants them.
class RowDates {
public:
    RowDates(DetailSource& details, const QString& folder, const QString& name)
        : m_details(details)
        , m_folder(folder)
        , m_name(name)
    {}
    const QDateTime& taken()
    {
        if (!m_taken)
            m_taken = m_details.dateTaken(m_folder, m_name);
        return *m_taken;
    }
    const QDateTime& modified()
    {
        if (!m_modified)
            m_modified = m_details.modificationTime(m_folder, m_name);
        return *m_modified;
    }

private:
    DetailSource& m_details;
    const QString& m_folder;
    const QString& m_name;
    std::optional<QDateTime> m_taken;
    std::optional<QDateTime> m_modified;
};

InsertionToken MakeToken(QStringView text)
{
    InsertionToken token;
    token.text = text.toString();
    if (const std::optional<qint64> start = RoundedDecimal(text)) {
        token.kind = InsertionTokenKind::Serial;
        token.start = *start;
        token.width = static_cast<int>(text.size());
        return token;
    }
    // Blanks around a property word are part of the token: "< title >" is a date pattern.
    const QString lower = token.text.toLower();
    if (lower == u"title")
        token.kind = InsertionTokenKind::Title;
    else if (lower == u"no")
        token.kind = InsertionTokenKind::TrackNumber;
    else if (lower == u"artist")
        token.kind = InsertionTokenKind::Artist;
    else if (!TakeFileDate(token, text))
        token.pattern = DatePattern(text);
    return token;
}

// A track that is a number gets at least two digits; any other value, the
// empty one included, stays as it is.
QString TrackText(const QString& value)
{
    const std::optional<qint64> number = RoundedDecimal(value);
    if (!number || *number <= -kDecimalLimit || *number >= kDecimalLimit)
        return value;
    return ZeroPadded(*number, 2);
}

} // namespace

InsertionClock SystemClock()
{
    return [] { return QDateTime::currentDateTime(); };
}

std::optional<qint64> RoundedDecimal(QStringView text)
{
    text = TrimBlanks(text);
    qsizetype begin = 0;
    const qsizetype end = text.size();

    bool negative = false;
    if (begin < end && (AsciiForm(text[begin]) == u'+' || AsciiForm(text[begin]) == u'-')) {
        negative = AsciiForm(text[begin]) == u'-';
        ++begin;
    }

    qint64 whole = 0;
    int digits = 0;
    qsizetype i = begin;
    for (; i < end && IsDigit(text[i]); ++i, ++digits)
        whole = std::min(kDecimalLimit, whole * 10 + (AsciiForm(text[i]) - u'0'));

    int firstFraction = -1;
    bool restOfFraction = false; // any non-zero digit after the first one
    if (i < end && AsciiForm(text[i]) == u'.') {
        for (++i; i < end && IsDigit(text[i]); ++i, ++digits) {
            const int digit = AsciiForm(text[i]) - u'0';
            if (firstFraction < 0)
                firstFraction = digit;
            else if (digit != 0)
                restOfFraction = true;
        }
    }
    if (i != end || digits == 0)
        return std::nullopt;

    const bool roundUp = firstFraction > 5 || (firstFraction == 5 && (restOfFraction || whole % 2 == 1));
    if (roundUp)
        whole = std::min(kDecimalLimit, whole + 1);
    return negative ? -whole : whole;
}

InsertionTemplate ParseInsertionTemplate(const QString& text)
{
    InsertionTemplate result;
    qsizetype open = text.indexOf(u'<');
    result.leading = open < 0 ? text : text.left(open);
    while (open >= 0) {
        const qsizetype next = text.indexOf(u'<', open + 1);
        const qsizetype pieceEnd = next < 0 ? text.size() : next;
        const qsizetype close = text.indexOf(u'>', open + 1);
        if (close < 0 || close > pieceEnd) {
            // No ">" before the next "<": this "<" and everything after it is plain text.
            QString& literal = result.tokens.isEmpty() ? result.leading : result.tokens.last().literal;
            literal += QStringView(text).mid(open);
            break;
        }
        result.tokens.append(MakeToken(QStringView(text).mid(open + 1, close - open - 1)));
        result.tokens.last().literal = text.mid(close + 1, pieceEnd - close - 1);
        open = next;
    }
    return result;
}

QString ExpandInsertionTemplate(const InsertionTemplate& insertion, int rowNumber, const QString& folder,
                                const QString& currentName, const InsertionClock& clock,
                                DetailSource& details, const DateLocale& locale, KeptNameReason* missing)
{
    QString out = insertion.leading;
    RowDates dates(details, folder, currentName);
    // A value the file does not record leaves a hole in the name: the caller keeps the old one.
    const auto put = [&](const QString& value, KeptNameReason reason) {
        if (value.isEmpty() && missing && *missing == KeptNameReason::None)
            *missing = reason;
        out += value;
    };
    const auto putDate = [&](const QDateTime& when, const DatePattern& pattern, KeptNameReason reason) {
        put(when.isValid() ? pattern.format(when, locale) : QString(), reason);
    };
    for (const InsertionToken& token : insertion.tokens) {
        switch (token.kind) {
        case InsertionTokenKind::Serial:
            if (token.start < kSerialStartMin || token.start > kSerialStartMax) {
                throw CommandError(
                    QStringLiteral("連番の開始値「%1」が範囲外のため、名前を変えませんでした。開始値は "
                                   "%2～%3 にしてください。")
                        .arg(token.text.trimmed())
                        .arg(kSerialStartMin)
                        .arg(kSerialStartMax));
            }
            out += ZeroPadded(token.start + rowNumber - 1, token.width);
            break;
        case InsertionTokenKind::Title:
            put(details.detailByHeader(folder, currentName, TitleHeader()), KeptNameReason::NoTitle);
            break;
        case InsertionTokenKind::TrackNumber:
            put(TrackText(details.detailByHeader(folder, currentName, TrackNumberHeader())),
                KeptNameReason::NoTrackNumber);
            break;
        case InsertionTokenKind::Artist:
            put(details.detailByHeader(folder, currentName, ArtistHeader()), KeptNameReason::NoArtist);
            break;
        case InsertionTokenKind::DateTime:
            out += token.pattern.format(clock(), locale);
            break;
        case InsertionTokenKind::DateTaken:
            putDate(dates.taken(), token.pattern, KeptNameReason::NoDateTaken);
            break;
        case InsertionTokenKind::ModificationTime:
            putDate(dates.modified(), token.pattern, KeptNameReason::NoModificationTime);
            break;
        case InsertionTokenKind::DateTakenOrModification:
            putDate(dates.taken().isValid() ? dates.taken() : dates.modified(), token.pattern,
                    KeptNameReason::NoModificationTime);
            break;
        }
        out += token.literal;
    }
    return out;
}

QString ComposeInsertedName(InsertionKind kind, const QString& currentName, const QString& cleanedText)
{
    switch (kind) {
    case InsertionKind::Prepend:
        return cleanedText + currentName;
    case InsertionKind::Append:
        return BaseNameOf(currentName) + cleanedText + DotExtensionOf(currentName);
    case InsertionKind::ChangeName:
        return cleanedText + DotExtensionOf(currentName);
    case InsertionKind::ChangeExtension:
        return BaseNameOf(currentName) + QLatin1Char('.') + cleanedText;
    }
    return currentName;
}
