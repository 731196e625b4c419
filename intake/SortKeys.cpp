#include "intake/SortKeys.h"

#include <QCollator>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace {

// A stable merge sort of row indexes that finishes each half before it
// merges: the keys of neighbouring rows lie together in memory, so most of
// the work stays in the cache, where a sort that passes over the whole array
// at every level would fetch every key from memory log n times.
template <class Less> void MergeSort(int* first, int* last, int* buffer, const Less& less)
{
    const ptrdiff_t count = last - first;
    if (count <= 16) {
        for (int* next = first + 1; next < last; ++next) {
            const int moving = *next;
            int* place = next;
            for (; place > first && less(moving, place[-1]); --place)
                *place = place[-1];
            *place = moving;
        }
        return;
    }
    int* middle = first + count / 2;
    MergeSort(first, middle, buffer, less);
    MergeSort(middle, last, buffer, less);
    if (!less(*middle, middle[-1]))
        return; // the halves are in order already
    int* left = buffer;
    int* const leftEnd = std::copy(first, middle, buffer);
    int* right = middle;
    int* out = first;
    // Equal keys take the left one first: the sort is stable.
    while (left < leftEnd && right < last)
        *out++ = less(*right, *left) ? *right++ : *left++;
    std::copy(left, leftEnd, out);
}

// Up to eight bytes of a key as one number that compares as the bytes do;
// missing bytes count as zero, which a tie on the whole key then settles.
quint64 BigEndianPrefix(const unsigned char* bytes, size_t length)
{
    quint64 prefix = 0;
    for (size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < length ? bytes[i] : 0u);
    return prefix;
}

// A digit's value when it is a decimal digit of any script (full-width
// digits included), -1 otherwise.
int DigitValue(char16_t unit)
{
    if (unit < 0x80)
        return unit >= u'0' && unit <= u'9' ? unit - u'0' : -1;
    return QChar(unit).isDigit() ? QChar(unit).digitValue() : -1;
}

char16_t UnitAt(QStringView text, qsizetype i)
{
    return text[i].unicode();
}

char16_t UnitAt(QLatin1StringView text, qsizetype i)
{
    return static_cast<unsigned char>(text[i].toLatin1());
}

} // namespace

SortKeys::SortKeys(const RenameEntry* rows, qsizetype count, int column, CollationKeyWriter* collation)
    : m_count(count)
{
    m_ends.reserve(static_cast<size_t>(count) + 1);
    QCollator collator;
    QString text;
    const auto forEachText = [&](const auto& take) {
        for (qsizetype i = 0; i < count; ++i) {
            text.resize(0);
            ColumnField(rows[i], column).appendTo(text);
            take(QStringView(text));
        }
    };
    if (collator.locale().language() == QLocale::C) {
        // Most names are ASCII: their keys come straight from the row's bytes.
        m_bytes.reserve(static_cast<size_t>(count) * 24); // a typical name's key, so the block seldom moves
        for (qsizetype i = 0; i < count; ++i) {
            const NameText& field = ColumnField(rows[i], column);
            if (field.isAscii()) {
                addNaturalFolded(field.asciiView());
            } else {
                text.resize(0);
                field.appendTo(text);
                addNaturalFolded(QStringView(text));
            }
        }
        return;
    }
    if (collation) {
        forEachText([&](QStringView name) {
            collation->append(name, m_bytes);
            m_ends.push_back(static_cast<qsizetype>(m_bytes.size()));
        });
        return;
    }
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    m_collatorKeys.reserve(static_cast<size_t>(count));
    forEachText([&](QStringView name) { m_collatorKeys.push_back(collator.sortKey(name.toString())); });
}

// The C locale has no collation: the key is the case-folded text, each
// UTF-16 unit written as UTF-8 writes a value (one byte for ASCII), which
// keeps the units' order byte by byte. A run of digits becomes "0", the
// count of its digits without leading zeros in two bytes, and then those
// digits, one byte each: a longer number sorts after a shorter one, and
// numbers of one length by their digits.
template <class Text> void SortKeys::addNaturalFolded(Text text)
{
    const auto put = [this](char16_t unit) {
        if (unit < 0x80) {
            m_bytes.push_back(static_cast<unsigned char>(unit));
        } else if (unit < 0x800) {
            m_bytes.push_back(static_cast<unsigned char>(0xc0 | unit >> 6));
            m_bytes.push_back(static_cast<unsigned char>(0x80 | (unit & 0x3f)));
        } else {
            m_bytes.push_back(static_cast<unsigned char>(0xe0 | unit >> 12));
            m_bytes.push_back(static_cast<unsigned char>(0x80 | (unit >> 6 & 0x3f)));
            m_bytes.push_back(static_cast<unsigned char>(0x80 | (unit & 0x3f)));
        }
    };
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = UnitAt(text, i);
        if (DigitValue(unit) >= 0) {
            qsizetype end = i;
            while (end < size && DigitValue(UnitAt(text, end)) >= 0)
                ++end;
            while (i < end && DigitValue(UnitAt(text, i)) == 0)
                ++i; // leading zeros do not count: "0" and "00" are the number without digits
            const auto digits = static_cast<char16_t>(std::min<qsizetype>(end - i, 0xffff));
            m_bytes.push_back('0');
            m_bytes.push_back(static_cast<unsigned char>(digits >> 8));
            m_bytes.push_back(static_cast<unsigned char>(digits & 0xff));
            for (; i < end; ++i)
                m_bytes.push_back(static_cast<unsigned char>('0' + DigitValue(UnitAt(text, i))));
            --i;
        } else if (unit < 0x80) {
            put(unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size &&
                   QChar::isLowSurrogate(UnitAt(text, i + 1))) {
            // Simple case folding keeps a character in its plane.
            const char32_t fold = QChar::toCaseFolded(QChar::surrogateToUcs4(unit, UnitAt(text, ++i)));
            put(QChar::highSurrogate(fold));
            put(QChar::lowSurrogate(fold));
        } else {
            put(QChar(unit).toCaseFolded().unicode());
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

QList<int> SortKeys::order(bool ascending) const
{
    if (m_collatorKeys.empty())
        return orderByPrefix(ascending);
    const int count = static_cast<int>(m_count);
    QList<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> buffer(static_cast<size_t>(count / 2 + 1));
    const int direction = ascending ? 1 : -1;
    MergeSort(order.data(), order.data() + count, buffer.data(),
              [&](int a, int b) { return compare(a, b) * direction < 0; });
    return order;
}

// Names of one folder share long beginnings ("DSC_0", "file_00"), and so do
// their keys. Past the beginning all keys share, eight bytes of each key
// decide nearly every comparison: those eight bytes are sorted as numbers by
// a stable radix sort, which never touches the keys again, and only rows
// whose eight bytes tie are compared by their whole keys.
QList<int> SortKeys::orderByPrefix(bool ascending) const
{
    const auto count = static_cast<size_t>(m_count);
    QList<int> order(static_cast<qsizetype>(count));
    if (count == 0)
        return order;
    size_t common = static_cast<size_t>(m_ends[1] - m_ends[0]);
    for (size_t i = 1; i < count && common > 0; ++i) {
        const unsigned char* key = m_bytes.data() + m_ends[i];
        const size_t length = std::min(common, static_cast<size_t>(m_ends[i + 1] - m_ends[i]));
        common = std::mismatch(key, key + length, m_bytes.data()).first - key;
    }
    struct Record {
        quint64 prefix;
        int index;
    };
    std::vector<Record> records(count);
    std::vector<std::array<int, 256>> counts(8, std::array<int, 256>{});
    for (size_t i = 0; i < count; ++i) {
        const size_t start = static_cast<size_t>(m_ends[i]) + common;
        const quint64 prefix =
            BigEndianPrefix(m_bytes.data() + start, static_cast<size_t>(m_ends[i + 1]) - start);
        records[i] = {ascending ? prefix : ~prefix, static_cast<int>(i)};
        for (int b = 0; b < 8; ++b)
            ++counts[static_cast<size_t>(b)][(records[i].prefix >> (8 * b)) & 0xff];
    }
    std::vector<Record> spare(count);
    for (int b = 0; b < 8; ++b) {
        std::array<int, 256>& histogram = counts[static_cast<size_t>(b)];
        if (std::find(histogram.begin(), histogram.end(), static_cast<int>(count)) != histogram.end())
            continue; // every record has the same byte here
        int place = 0;
        for (int& bucket : histogram)
            place += std::exchange(bucket, place);
        for (const Record& record : records)
            spare[static_cast<size_t>(histogram[(record.prefix >> (8 * b)) & 0xff]++)] = record;
        records.swap(spare);
    }
    for (size_t i = 0; i < count; ++i)
        order[static_cast<qsizetype>(i)] = records[i].index;
    // Runs of equal prefixes are in their old order; their whole keys decide.
    std::vector<int> buffer;
    const int direction = ascending ? 1 : -1;
    for (size_t first = 0; first < count;) {
        size_t last = first + 1;
        while (last < count && records[last].prefix == records[first].prefix)
            ++last;
        if (last - first > 1) {
            buffer.resize(std::max(buffer.size(), (last - first) / 2 + 1));
            MergeSort(order.data() + first, order.data() + last, buffer.data(),
                      [&](int a, int b) { return compareBytes(a, b) * direction < 0; });
        }
        first = last;
    }
    return order;
}
