#pragma once

#include <QAnyStringView>
#include <QString>
#include <QStringBuilder>
#include <QStringView>

#include <cstddef>
#include <type_traits>

// The text of one field of a row: a name or a folder. A row holds four of
// them, so each is a single pointer to a shared, immutable block, and a
// million rows stay small: the text is kept one byte a character when it is
// plain ASCII (most file names) and as UTF-16 otherwise; an empty text holds
// no block at all; rows of one folder share its block. Copies only count
// references, so handing a name from one field to another costs no copy.
//
// It reads and compares like a QString (it converts to one, and compares with
// QString, QStringView and QLatin1StringView), so code written for QString
// fields keeps working; hot loops use view() instead and allocate nothing.
class NameText {
public:
    NameText() noexcept = default;
    NameText(const QString& text) // NOLINT(google-explicit-constructor): rows are filled from QStrings
        : NameText(QStringView(text))
    {}
    NameText(QStringView text);      // NOLINT(google-explicit-constructor)
    NameText(QLatin1StringView text) // NOLINT(google-explicit-constructor)
        : NameText(QAnyStringView(text))
    {}
    // A string-builder expression (prefix + name) is built once, then kept.
    template <typename A, typename B>
    requires std::is_same_v<typename QConcatenable<QStringBuilder<A, B>>::ConvertTo, QString>
    NameText(const QStringBuilder<A, B>& text) // NOLINT(google-explicit-constructor)
        : NameText(QString(text))
    {}
    // UTF-8 or Latin-1 text as well; a system listing hands its names over
    // as the bytes it read.
    explicit NameText(QAnyStringView text);

    NameText(const NameText& other) noexcept;
    NameText(NameText&& other) noexcept
        : m_block(other.m_block)
    {
        other.m_block = nullptr;
    }
    NameText& operator=(const NameText& other) noexcept;
    NameText& operator=(NameText&& other) noexcept
    {
        swap(other);
        return *this;
    }
    ~NameText();

    void swap(NameText& other) noexcept { std::swap(m_block, other.m_block); }
    friend void swap(NameText& a, NameText& b) noexcept { a.swap(b); }

    [[nodiscard]] bool isEmpty() const noexcept { return m_block == nullptr; }
    [[nodiscard]] qsizetype size() const noexcept;
    // True when the text is kept one byte a character (plain ASCII).
    [[nodiscard]] bool isAscii() const noexcept;
    // The characters without a copy: Latin-1 for ASCII text, UTF-16 otherwise.
    [[nodiscard]] QAnyStringView view() const noexcept;
    // The ASCII bytes, or a null view when the text is not ASCII.
    [[nodiscard]] QLatin1StringView asciiView() const noexcept;
    // The UTF-16 units, or a null view when the text is kept as ASCII.
    [[nodiscard]] QStringView utf16View() const noexcept;
    // Unit i as UTF-16 (i < size()).
    [[nodiscard]] char16_t unitAt(qsizetype i) const noexcept;

    [[nodiscard]] QString toString() const;
    // Appends the text to `out` without a temporary string.
    void appendTo(QString& out) const;
    operator QString() const { return toString(); } // NOLINT(google-explicit-constructor)

    // Two texts that share one block (the rows of one folder) are the same
    // text without comparing characters.
    [[nodiscard]] bool sharesBlockWith(const NameText& other) const noexcept
    {
        return m_block == other.m_block;
    }

    friend bool operator==(const NameText& a, const NameText& b) noexcept;
    // Hashes the kept units as they are: equal texts are kept alike, so
    // they hash alike, and a table of names needs no conversion.
    friend size_t qHash(const NameText& text, size_t seed) noexcept;
    friend bool operator==(const NameText& a, QStringView b) noexcept;
    friend bool operator==(const NameText& a, const QString& b) noexcept { return a == QStringView(b); }
    friend bool operator==(const NameText& a, QLatin1StringView b) noexcept;
    template <typename A, typename B>
    requires std::is_same_v<typename QConcatenable<QStringBuilder<A, B>>::ConvertTo, QString>
    friend bool operator==(const NameText& a, const QStringBuilder<A, B>& b) { return a == QString(b); }

private:
    struct Block;
    Block* m_block = nullptr;
};

Q_DECLARE_TYPEINFO(NameText, Q_RELOCATABLE_TYPE);

// Lets names take part in string-builder expressions: folder + sep + name.
template <> struct QConcatenable<NameText> : private QAbstractConcatenable {
    using type = NameText;
    using ConvertTo = QString;
    enum { ExactSize = true };
    static qsizetype size(const NameText& text) { return text.size(); }
    static void appendTo(const NameText& text, QChar*& out)
    {
        if (text.isAscii()) {
            const QLatin1StringView ascii = text.asciiView();
            appendLatin1To(ascii, out);
            out += ascii.size();
        } else {
            const QStringView units = text.utf16View();
            if (!units.isEmpty())
                memcpy(static_cast<void*>(out), units.data(), sizeof(QChar) * units.size());
            out += units.size();
        }
    }
};
