// Keys straight from ICU, the collation QCollator itself runs on this system,
// opened with the settings QCollator gives it for a case-insensitive sort.

#include "intake/SortKeys.h"

#include <QLocale>

#include <unicode/ucol.h>

#include <memory>

bool SortKeys::addLocaleKeys(const RenameList& list, int column)
{
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray name = QLocale().bcp47Name().replace(u'-', u'_').toLatin1();
    const std::unique_ptr<UCollator, decltype(&ucol_close)> collator(ucol_open(name.constData(), &status),
                                                                     &ucol_close);
    ucol_setAttribute(collator.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    // Case is a tertiary difference: the second strength leaves it out.
    ucol_setAttribute(collator.get(), UCOL_STRENGTH, UCOL_SECONDARY, &status);
    ucol_setAttribute(collator.get(), UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    ucol_setAttribute(collator.get(), UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    if (U_FAILURE(status))
        return false;
    forEachText(list, column, [&](const QString& text) {
        const auto units = reinterpret_cast<const UChar*>(text.utf16());
        const auto length = static_cast<int32_t>(text.size());
        const size_t start = m_bytes.size();
        // A key is seldom longer than this; when it is, ICU says how long.
        auto room = static_cast<int32_t>(16 + 3 * length);
        m_bytes.resize(start + static_cast<size_t>(room));
        int32_t size = ucol_getSortKey(collator.get(), units, length, m_bytes.data() + start, room);
        if (size > room) {
            m_bytes.resize(start + static_cast<size_t>(size));
            size = ucol_getSortKey(collator.get(), units, length, m_bytes.data() + start, size);
        }
        m_bytes.resize(start + static_cast<size_t>(size));
        m_ends.push_back(static_cast<qsizetype>(m_bytes.size()));
    });
    return true;
}
