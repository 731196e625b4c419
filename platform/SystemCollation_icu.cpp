#include "platform/SystemCollation.h"

#include <QLocale>

#include <unicode/ucol.h>

namespace {

class IcuCollation final : public CollationKeyWriter {
public:
    explicit IcuCollation(UCollator* collator)
        : m_collator(collator)
    {}
    ~IcuCollation() override { ucol_close(m_collator); }
    IcuCollation(const IcuCollation&) = delete;
    IcuCollation& operator=(const IcuCollation&) = delete;

    void append(QStringView text, std::vector<unsigned char>& bytes) override
    {
        const auto units = reinterpret_cast<const UChar*>(text.utf16());
        const auto length = static_cast<int32_t>(text.size());
        const size_t start = bytes.size();
        // A key is seldom longer than this; when it is, ICU says how long.
        auto room = static_cast<int32_t>(16 + 3 * length);
        bytes.resize(start + static_cast<size_t>(room));
        int32_t size = ucol_getSortKey(m_collator, units, length, bytes.data() + start, room);
        if (size > room) {
            bytes.resize(start + static_cast<size_t>(size));
            size = ucol_getSortKey(m_collator, units, length, bytes.data() + start, size);
        }
        bytes.resize(start + static_cast<size_t>(size));
    }

private:
    UCollator* m_collator;
};

} // namespace

std::unique_ptr<CollationKeyWriter> OpenSystemCollation()
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray name = locale.bcp47Name().replace(u'-', u'_').toLatin1();
    UCollator* collator = ucol_open(name.constData(), &status);
    ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    // Case is a tertiary difference: the second strength leaves it out.
    ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_SECONDARY, &status);
    // Digit runs of any script (full-width ones too) compare as numbers.
    ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    if (U_FAILURE(status)) {
        ucol_close(collator);
        return nullptr;
    }
    return std::make_unique<IcuCollation>(collator);
}
