#include "ops/TextElements.h"

#include <QTextBoundaryFinder>

namespace {

// Two printable ASCII characters are always separate clusters; most names
// start and end that way, and this spares them the boundary analysis.
bool IsPlainAscii(QChar ch)
{
    return ch.unicode() >= 0x20 && ch.unicode() < 0x7F;
}

} // namespace

qsizetype FirstCharacterLength(QStringView text)
{
    if (text.size() <= 1)
        return text.size();
    if (IsPlainAscii(text.at(0)) && IsPlainAscii(text.at(1)))
        return 1;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    const qsizetype end = finder.toNextBoundary();
    return end > 0 ? end : text.size();
}

qsizetype LastCharacterLength(QStringView text)
{
    const qsizetype size = text.size();
    if (size <= 1)
        return size;
    if (IsPlainAscii(text.at(size - 1)) && IsPlainAscii(text.at(size - 2)))
        return 1;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.toEnd();
    const qsizetype start = finder.toPreviousBoundary();
    return start >= 0 ? size - start : size;
}
