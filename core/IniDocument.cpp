#include "core/IniDocument.h"

#include "core/Blanks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <limits>

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

bool IsQuoted(QStringView text)
{
    return text.size() >= 2 && text.front() == u'"' && text.back() == u'"';
}

// The text of a value line such that reading it gives `value` back.
QString EncodeValue(const QString& value)
{
    if (value.isEmpty())
        return value;
    if (IsBlank(value.front()) || IsBlank(value.back()) || IsQuoted(value))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

QString WithoutLineBreaks(QString value)
{
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return value;
}

QString CutAsBufferWould(QString text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    if (text.size() > kIniMaxValueLength) {
        qsizetype length = kIniMaxValueLength;
        // Never keep half of a surrogate pair.
        if (text.at(length - 1).isHighSurrogate())
            --length;
        text.truncate(length);
    }
    return text;
}

QByteArray PlatformLineBreak()
{
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

} // namespace

std::optional<int> ParseLeadingInt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    const qint64 limit =
        negative ? -qint64(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    qint64 magnitude = 0;
    bool anyDigit = false;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        anyDigit = true;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    if (!anyDigit)
        return std::nullopt;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

IniDocument::Line IniDocument::parseLine(const QByteArray& text, const QByteArray& lineBreak)
{
    Line line{text, lineBreak, LineKind::Other, {}, {}};
    const QString decoded = QString::fromUtf8(text);
    const QStringView content = TrimBlanks(decoded);
    if (content.startsWith(u'[')) {
        const qsizetype close = content.indexOf(u']');
        if (close > 0) {
            line.kind = LineKind::Section;
            line.name = TrimBlanks(content.sliced(1, close - 1)).toString();
        }
        return line;
    }
    if (content.startsWith(u';'))
        return line;
    const qsizetype equals = content.indexOf(u'=');
    if (equals < 0)
        return line;
    line.kind = LineKind::Entry;
    line.name = TrimBlanks(content.first(equals)).toString();
    QStringView value = TrimBlanks(content.sliced(equals + 1));
    if (IsQuoted(value))
        value = value.sliced(1, value.size() - 2);
    line.value = value.toString();
    return line;
}

void IniDocument::parse(QByteArrayView bytes)
{
    m_lines.clear();
    m_lineBreak.clear();
    m_byteOrderMark = bytes.startsWith(kByteOrderMark);
    if (m_byteOrderMark)
        bytes = bytes.sliced(kByteOrderMark.size());
    m_lines.reserve(bytes.count('\n') + 1);
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        qsizetype end = newline < 0 ? bytes.size() : newline;
        QByteArray lineBreak;
        if (newline >= 0) {
            const bool crlf = end > start && bytes[end - 1] == '\r';
            if (crlf)
                --end;
            lineBreak = crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
            if (m_lineBreak.isEmpty())
                m_lineBreak = lineBreak;
        }
        m_lines.append(parseLine(bytes.sliced(start, end - start).toByteArray(), lineBreak));
        start = newline < 0 ? bytes.size() : newline + 1;
    }
    if (m_lineBreak.isEmpty())
        m_lineBreak = PlatformLineBreak();
    reindex();
}

bool IniDocument::load(const QString& path)
{
    parse({});
    m_errorString.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (!info.isFile()) {
        m_errorString = QStringLiteral("%1: not a regular file").arg(QDir::toNativeSeparators(path));
        return false;
    }
    const QString tooLarge =
        QStringLiteral("%1: larger than %2 bytes").arg(QDir::toNativeSeparators(path)).arg(kIniMaxFileSize);
    if (info.size() > kIniMaxFileSize) {
        m_errorString = tooLarge;
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errorString = file.errorString();
        return false;
    }
    // One byte more than allowed tells a file that grew since it was looked at.
    const QByteArray bytes = file.read(kIniMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        m_errorString = file.errorString();
        return false;
    }
    if (bytes.size() > kIniMaxFileSize) {
        m_errorString = tooLarge;
        return false;
    }
    parse(bytes);
    return true;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray bytes;
    if (m_byteOrderMark)
        bytes += kByteOrderMark;
    for (const Line& line : m_lines)
        bytes += line.text + line.lineBreak;
    return bytes;
}

void IniDocument::reindex()
{
    // Names are folded at the headers only; a section's keys are indexed when
    // it is first looked up, so a large section the program never reads
    // costs nothing beyond its parse.
    m_sectionIds.clear();
    m_sections.clear();
    int current = -1; // lines before the first header belong to no section
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        if (line.kind == LineKind::Section) {
            const QString folded = line.name.toCaseFolded();
            current = m_sectionIds.value(folded, -1);
            if (current < 0) {
                current = static_cast<int>(m_sections.size());
                m_sectionIds.insert(folded, current);
                m_sections.append(SectionIndex{i, {}});
            }
        }
        line.section = current;
    }
}

const QHash<QString, qsizetype>& IniDocument::entriesOf(int section) const
{
    std::optional<QHash<QString, qsizetype>>& entries = m_sections[section].entries;
    if (!entries) {
        entries.emplace();
        // From the last line up, so that the first occurrence of a key is the
        // one left in the index.
        for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
            if (m_lines[i].kind == LineKind::Entry && m_lines[i].section == section)
                entries->insert(m_lines[i].name.toCaseFolded(), i);
        }
    }
    return *entries;
}

qsizetype IniDocument::findSection(const QString& section) const
{
    const int id = m_sectionIds.value(section.toCaseFolded(), -1);
    return id < 0 ? -1 : m_sections[id].header;
}

qsizetype IniDocument::findEntry(const QString& section, const QString& key) const
{
    const int id = m_sectionIds.value(section.toCaseFolded(), -1);
    return id < 0 ? -1 : entriesOf(id).value(key.toCaseFolded(), -1);
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const qsizetype index = findEntry(section, key);
    if (index < 0)
        return std::nullopt;
    return m_lines[index].value;
}

QString IniDocument::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    return CutAsBufferWould(value(section, key).value_or(defaultValue));
}

int IniDocument::readInt(const QString& section, const QString& key, int defaultValue) const
{
    const std::optional<QString> text = value(section, key);
    if (!text || text->isEmpty())
        return defaultValue;
    return ParseLeadingInt(*text).value_or(0);
}

void IniDocument::insertLine(qsizetype position, Line line, const QString& section)
{
    // The line before the new one must end, or the two would run together.
    if (position > 0 && m_lines[position - 1].lineBreak.isEmpty())
        m_lines[position - 1].lineBreak = m_lineBreak;
    line.lineBreak = m_lineBreak;
    // The index follows the lines that moved down; the new line is the only
    // one of its name (callers insert only what was not found).
    for (SectionIndex& index : m_sections) {
        if (index.header >= position)
            ++index.header;
        if (!index.entries)
            continue;
        for (qsizetype& entry : *index.entries) {
            if (entry >= position)
                ++entry;
        }
    }
    const QString folded = section.toCaseFolded();
    if (line.kind == LineKind::Section) {
        line.section = static_cast<int>(m_sections.size());
        m_sectionIds.insert(folded, line.section);
        m_sections.append(SectionIndex{position, {}});
    } else {
        line.section = m_sectionIds.value(folded);
        if (auto& entries = m_sections[line.section].entries)
            entries->insert(line.name.toCaseFolded(), position);
    }
    m_lines.insert(position, std::move(line));
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString stored = WithoutLineBreaks(value);
    const qsizetype existing = findEntry(section, key);
    if (existing >= 0) {
        Line& line = m_lines[existing];
        line.text = (line.name + QLatin1Char('=') + EncodeValue(stored)).toUtf8();
        line.value = stored;
        return;
    }
    Line entry{(key + QLatin1Char('=') + EncodeValue(stored)).toUtf8(), {}, LineKind::Entry, key, stored};
    const qsizetype header = findSection(section);
    if (header < 0) {
        insertLine(
            m_lines.size(),
            Line{
                (QLatin1Char('[') + section + QLatin1Char(']')).toUtf8(), {}, LineKind::Section, section, {}},
            section);
        insertLine(m_lines.size(), std::move(entry), section);
        return;
    }
    // After the section's last key, so that comments and blank lines that
    // lead into the next section stay with it.
    qsizetype position = header + 1;
    for (qsizetype i = header + 1; i < m_lines.size() && m_lines[i].kind != LineKind::Section; ++i) {
        if (m_lines[i].kind == LineKind::Entry)
            position = i + 1;
    }
    insertLine(position, std::move(entry), section);
}

bool IniDocument::save(const QString& path)
{
    m_errorString.clear();
    const QFileInfo before(path);
    QString reason;
    if (before.isSymLink()) {
        // The replacement would land wherever the link points.
        m_errorString =
            QStringLiteral("cannot write %1: it is a symbolic link").arg(QDir::toNativeSeparators(path));
        return false;
    }
    QSaveFile file(path);
    const QByteArray bytes = toBytes();
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else if (file.write(bytes) != bytes.size()) {
        reason = file.errorString();
        file.cancelWriting();
    } else if (!before.exists() && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        // A new file is the user's alone, whatever the umask would allow.
        reason = file.errorString();
        file.cancelWriting();
    } else if (!file.commit()) { // only commit() replaces the old file
        reason = file.errorString();
    } else {
        return true;
    }
    m_errorString = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
    return false;
}

QString IniReadString(const QString& section, const QString& key, const QString& defaultValue,
                      const QString& file)
{
    IniDocument document;
    document.load(file);
    return document.readString(section, key, defaultValue);
}

int IniReadInt(const QString& section, const QString& key, int defaultValue, const QString& file)
{
    IniDocument document;
    document.load(file);
    return document.readInt(section, key, defaultValue);
}

bool IniWriteString(const QString& section, const QString& key, const QString& value, const QString& file,
                    QString* errorString)
{
    IniDocument document;
    bool ok = document.load(file);
    if (ok) {
        document.setValue(section, key, value);
        ok = document.save(file);
    }
    if (!ok && errorString)
        *errorString = document.errorString();
    return ok;
}
