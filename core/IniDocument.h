#pragma once
// Reader and writer of classic initialization files ("[section]" headers and
// "key=value" lines), stored as UTF-8. Values are read the way the Windows
// profile functions read them, so a file edited by hand behaves as users of
// those files expect; everything the program does not know (other sections,
// other keys, comments, blank lines, their order and line endings) is written
// back byte for byte. Saving replaces the whole file at once, so a crash never
// leaves half a file, and a failed save leaves the old file as it was.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The longest text a string read gives back: the Windows reader fills a
// buffer of 32767 characters that must still hold the terminating NUL.
inline constexpr qsizetype kIniMaxValueLength = 32766;

// The largest file load() reads. The program's own file is a few kilobytes;
// anything far larger is not a settings file and would only hold up start-up.
inline constexpr qint64 kIniMaxFileSize = 1024 * 1024;

// The leading number of a value: optional blanks, an optional sign, then
// decimal digits up to the first character that is not one. Empty when there
// is no digit at all or when the number does not fit in 32 bits (such a value
// is as meaningless as one without digits, so it is not wrapped around).
[[nodiscard]] std::optional<int> ParseLeadingInt(QStringView text);

class IniDocument {
public:
    // Reads the file. A missing file gives an empty document and counts as
    // success; a file that exists but cannot be read gives an empty document,
    // false and errorString(), and must not be saved over (it would lose the
    // file's contents). Only a regular file (a symbolic link to one included)
    // of at most kIniMaxFileSize bytes is read: a pipe would block, a device
    // or a huge file would never end.
    bool load(const QString& path);
    void parse(QByteArrayView bytes);
    [[nodiscard]] QByteArray toBytes() const;

    // The value as stored: blanks around it trimmed and one pair of enclosing
    // double quotes removed. Empty when the section or the key is missing.
    // Section and key names are compared without regard to case; when a name
    // occurs more than once the first occurrence wins. Names are looked up in
    // an index built once per parse, not searched line by line.
    [[nodiscard]] std::optional<QString> value(const QString& section, const QString& key) const;
    // The value, or defaultValue when the key is missing; cut at the first NUL
    // character and at kIniMaxValueLength characters.
    [[nodiscard]] QString readString(const QString& section, const QString& key,
                                     const QString& defaultValue) const;
    // The leading number of the value; defaultValue when the key is missing or
    // its value is empty, 0 when the value does not start with a number.
    [[nodiscard]] int readInt(const QString& section, const QString& key, int defaultValue) const;

    // Replaces the key's value where it stands, or adds the key after the last
    // key of the section, or adds the section at the end of the document.
    // Line breaks cannot be stored in a line and are written as spaces; a value
    // that the reader would trim or unquote is written inside double quotes,
    // so every other value reads back exactly as it was set.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Writes the whole document into path through a temporary file that then
    // replaces the old one; a new file is readable by its owner alone, and a
    // symbolic link is refused rather than written through. On failure the
    // old file is untouched and errorString() says why.
    [[nodiscard]] bool save(const QString& path);
    [[nodiscard]] QString errorString() const { return m_errorString; }

private:
    enum class LineKind { Other, Section, Entry };
    struct Line {
        QByteArray text;      // without its line break
        QByteArray lineBreak; // "\n", "\r\n", or empty for a last line without one
        LineKind kind = LineKind::Other;
        QString name;     // section or key name
        QString value;    // entries only: the value as read
        int section = -1; // the section it belongs to, an index of m_sections
    };

    static Line parseLine(const QByteArray& text, const QByteArray& lineBreak);
    [[nodiscard]] qsizetype findEntry(const QString& section, const QString& key) const;
    [[nodiscard]] qsizetype findSection(const QString& section) const;
    void insertLine(qsizetype position, Line line, const QString& section);
    void reindex();

    QList<Line> m_lines;
    // Where each name first occurs, by case-folded name.
    struct SectionIndex {
        qsizetype header = -1;
        mutable std::optional<QHash<QString, qsizetype>> entries; // built on first look-up
    };
    [[nodiscard]] const QHash<QString, qsizetype>& entriesOf(int section) const;
    QHash<QString, int> m_sectionIds; // into m_sections
    QList<SectionIndex> m_sections;
    QByteArray m_lineBreak;
    bool m_byteOrderMark = false;
    QString m_errorString;
};

// The program's settings operations, one file access each.
[[nodiscard]] QString IniReadString(const QString& section, const QString& key, const QString& defaultValue,
                                    const QString& file);
[[nodiscard]] int IniReadInt(const QString& section, const QString& key, int defaultValue,
                             const QString& file);
// Creates the file, the section or the key as needed. Returns false (with the
// reason in errorString when given) when the file could not be read or
// written; the file is then left as it was.
bool IniWriteString(const QString& section, const QString& key, const QString& value, const QString& file,
                    QString* errorString = nullptr);
