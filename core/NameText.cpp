#include "core/NameText.h"

#include <QHashFunctions>

#include <atomic>
#include <cstring>
#include <new>
#include <type_traits>

// The block: a reference count, the size and the kind of the units, then the
// units themselves (one byte each for ASCII, two for UTF-16).
struct NameText::Block {
    std::atomic<int> references;
    quint32 sizeAndKind; // size << 1, low bit set for UTF-16

    [[nodiscard]] qsizetype size() const { return static_cast<qsizetype>(sizeAndKind >> 1); }
    [[nodiscard]] bool wide() const { return (sizeAndKind & 1u) != 0; }
    [[nodiscard]] char* bytes() { return reinterpret_cast<char*>(this + 1); }
    [[nodiscard]] const char* bytes() const { return reinterpret_cast<const char*>(this + 1); }
    [[nodiscard]] const char16_t* units() const { return reinterpret_cast<const char16_t*>(this + 1); }

    static Block* make(qsizetype size, bool wide)
    {
        const size_t payload = static_cast<size_t>(size) * (wide ? sizeof(char16_t) : 1);
        auto* block = static_cast<Block*>(::operator new(sizeof(Block) + payload));
        new (&block->references) std::atomic<int>(1);
        block->sizeAndKind = static_cast<quint32>(size) << 1 | (wide ? 1u : 0u);
        return block;
    }
};

static_assert(sizeof(NameText) == sizeof(void*));

namespace {

bool IsAscii(QStringView text)
{
    for (const QChar unit : text) {
        if (unit.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool IsAscii(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

NameText::NameText(QStringView text)
{
    if (text.isEmpty())
        return;
    if (IsAscii(text)) {
        m_block = Block::make(text.size(), false);
        char* out = m_block->bytes();
        for (const QChar unit : text)
            *out++ = static_cast<char>(unit.unicode());
        return;
    }
    m_block = Block::make(text.size(), true);
    std::memcpy(m_block->bytes(), text.utf16(), static_cast<size_t>(text.size()) * sizeof(char16_t));
}

NameText::NameText(QAnyStringView text)
{
    text.visit([this](auto view) {
        if constexpr (std::is_same_v<decltype(view), QStringView>) {
            *this = NameText(view);
        } else {
            // UTF-8 or Latin-1: their ASCII bytes are the text itself.
            const QByteArrayView bytes(view.data(), view.size());
            if (bytes.isEmpty())
                return;
            if (!IsAscii(bytes)) {
                *this = NameText(view.toString());
                return;
            }
            m_block = Block::make(bytes.size(), false);
            std::memcpy(m_block->bytes(), bytes.data(), static_cast<size_t>(bytes.size()));
        }
    });
}

NameText::NameText(const NameText& other) noexcept
    : m_block(other.m_block)
{
    if (m_block)
        m_block->references.fetch_add(1, std::memory_order_relaxed);
}

NameText& NameText::operator=(const NameText& other) noexcept
{
    NameText copy(other);
    swap(copy);
    return *this;
}

NameText::~NameText()
{
    if (m_block && m_block->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        m_block->references.~atomic();
        ::operator delete(m_block);
    }
}

qsizetype NameText::size() const noexcept
{
    return m_block ? m_block->size() : 0;
}

bool NameText::isAscii() const noexcept
{
    return !m_block || !m_block->wide();
}

QAnyStringView NameText::view() const noexcept
{
    if (!m_block)
        return {};
    if (m_block->wide())
        return QStringView(m_block->units(), m_block->size());
    return QLatin1StringView(m_block->bytes(), m_block->size());
}

QLatin1StringView NameText::asciiView() const noexcept
{
    if (!m_block || m_block->wide())
        return {};
    return QLatin1StringView(m_block->bytes(), m_block->size());
}

QStringView NameText::utf16View() const noexcept
{
    if (!m_block || !m_block->wide())
        return {};
    return QStringView(m_block->units(), m_block->size());
}

char16_t NameText::unitAt(qsizetype i) const noexcept
{
    return m_block->wide() ? m_block->units()[i] : static_cast<char16_t>(m_block->bytes()[i]);
}

QString NameText::toString() const
{
    if (!m_block)
        return {};
    if (m_block->wide())
        return QString(reinterpret_cast<const QChar*>(m_block->units()), m_block->size());
    return QString::fromLatin1(m_block->bytes(), m_block->size());
}

void NameText::appendTo(QString& out) const
{
    if (!m_block)
        return;
    if (m_block->wide())
        out.append(QStringView(m_block->units(), m_block->size()));
    else
        out.append(QLatin1StringView(m_block->bytes(), m_block->size()));
}

bool operator==(const NameText& a, const NameText& b) noexcept
{
    if (a.m_block == b.m_block)
        return true;
    if (!a.m_block || !b.m_block || a.m_block->sizeAndKind != b.m_block->sizeAndKind)
        return false;
    // ASCII text is always kept narrow, so the same text has the same kind.
    const size_t bytes = static_cast<size_t>(a.m_block->size()) * (a.m_block->wide() ? 2 : 1);
    return std::memcmp(a.m_block->bytes(), b.m_block->bytes(), bytes) == 0;
}

size_t qHash(const NameText& text, size_t seed) noexcept
{
    if (!text.m_block)
        return seed;
    const size_t bytes = static_cast<size_t>(text.m_block->size()) * (text.m_block->wide() ? 2 : 1);
    return qHashBits(text.m_block->bytes(), bytes, seed);
}

bool operator==(const NameText& a, QStringView b) noexcept
{
    if (!a.m_block)
        return b.isEmpty();
    if (a.m_block->wide())
        return QStringView(a.m_block->units(), a.m_block->size()) == b;
    return QLatin1StringView(a.m_block->bytes(), a.m_block->size()) == b;
}

bool operator==(const NameText& a, QLatin1StringView b) noexcept
{
    if (!a.m_block)
        return b.isEmpty();
    if (a.m_block->wide())
        return QStringView(a.m_block->units(), a.m_block->size()) == b;
    return QLatin1StringView(a.m_block->bytes(), a.m_block->size()) == b;
}
