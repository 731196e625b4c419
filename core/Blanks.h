#pragma once
// The blanks that surround a value typed by hand (in setting.ini, inside a
// template token): ASCII spaces and control blanks only. An ideographic
// space at the start of a Japanese text is part of the text.

#include <QChar>
#include <QStringView>

[[nodiscard]] inline bool IsBlank(QChar ch)
{
    const char16_t c = ch.unicode();
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

[[nodiscard]] inline QStringView TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}
