#include "intake/SortKeys.h"

#include <QCollator>

#include <algorithm>
#include <cstring>

SortKeys::SortKeys(const RenameList& list, int column, CollationKeyWriter* collation)
{
    m_ends.reserve(static_cast<size_t>(list.count()) + 1);
    QCollator collator;
    if (collator.locale().language() == QLocale::C) {
        forEachText(list, column, [this](const QString& text) { addCaseFolded(text); });
        return;
    }
    if (collation) {
        forEachText(list, column, [&](const QString& text) {
            collation->append(text, m_bytes);
            m_ends.push_back(static_cast<qsizetype>(m_bytes.size()));
        });
        return;
    }
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    m_collatorKeys.reserve(static_cast<size_t>(list.count()));
    forEachText(list, column, [&](const QString& text) { m_collatorKeys.push_back(collator.sortKey(text)); });
}

// The C locale has no collation: QCollator compares there case-folded UTF-16
// units, but its sort keys ignore the case setting. So the key is the
// case-folded text itself, each unit as two bytes high byte first, which
// compare byte by byte as the units do.
void SortKeys::addCaseFolded(const QString& text)
{
    const auto put = [this](char16_t unit) {
        m_bytes.push_back(static_cast<unsigned char>(unit >> 8));
        m_bytes.push_back(static_cast<unsigned char>(unit & 0xff));
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text.at(i);
        if (unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            // Simple case folding keeps a character in its plane.
            const char32_t fold = QChar::toCaseFolded(QChar::surrogateToUcs4(unit, text.at(++i)));
            put(QChar::highSurrogate(fold));
            put(QChar::lowSurrogate(fold));
        } else {
            put(unit.toCaseFolded().unicode());
        }
    }
    m_ends.push_back(static_cast<qsizetype>(m_bytes.size()));
}

int SortKeys::compareBytes(int a, int b) const
{
    const qsizetype startA = m_ends[static_cast<size_t>(a)];
    const qsizetype startB = m_ends[static_cast<size_t>(b)];
    const auto lengthA = static_cast<size_t>(m_ends[static_cast<size_t>(a) + 1] - startA);
    const auto lengthB = static_cast<size_t>(m_ends[static_cast<size_t>(b) + 1] - startB);
    const int result =
        std::memcmp(m_bytes.data() + startA, m_bytes.data() + startB, std::min(lengthA, lengthB));
    if (result != 0)
        return result;
    return lengthA < lengthB ? -1 : (lengthA > lengthB ? 1 : 0);
}
