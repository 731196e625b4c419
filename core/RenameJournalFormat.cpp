#include "core/RenameJournalFormat.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr QByteArrayView kMagic = "quorvane-journal ";
constexpr QByteArrayView kVersion = "2";
// Written before rows knew their files; still read, never written.
constexpr QByteArrayView kVersionWithoutIdentities = "1";
// The shortest row line ("?\ta\tb\n") and folder line ("folder\tx\n"): no
// file holds more rows or folders than its size allows for.
constexpr qsizetype kShortestRow = 6;
constexpr qsizetype kShortestFolder = 9;
constexpr QByteArrayView kTrailer = "\nend\n";
// Where a results block follows the plan, or an earlier results block.
constexpr QByteArrayView kResultsStart = "\nend\nresults\n";

struct Word {
    const char* text;
    int value;
};

constexpr std::array<Word, 4> kWalks{{{"rename", int(RenameWalkKind::All)},
                                      {"undo", int(RenameWalkKind::UndoAll)},
                                      {"rename-selected", int(RenameWalkKind::Selected)},
                                      {"undo-selected", int(RenameWalkKind::UndoSelected)}}};
constexpr std::array<Word, 4> kStates{{{"open", int(JournalState::Open)},
                                       {"undoing", int(JournalState::Undoing)},
                                       {"done", int(JournalState::Done)},
                                       {"undone", int(JournalState::Undone)}}};

template <size_t N> QByteArrayView WordOf(const std::array<Word, N>& words, int value)
{
    for (const Word& word : words) {
        if (word.value == value)
            return word.text;
    }
    return words.front().text;
}

template <size_t N> std::optional<int> ValueOf(const std::array<Word, N>& words, QByteArrayView text)
{
    for (const Word& word : words) {
        if (text == word.text)
            return word.value;
    }
    return std::nullopt;
}

// A batch partly put back is written as finished, with its put-back rows.
QByteArrayView StateWord(JournalState state)
{
    return WordOf(kStates, int(state == JournalState::PartlyUndone ? JournalState::Done : state));
}

char StatusChar(RowStatus status)
{
    switch (status) {
    case RowStatus::Renamed:
        return '+';
    case RowStatus::NotRenamed:
        return '-';
    case RowStatus::PutBack:
        return '<';
    case RowStatus::Planned:
        break;
    }
    return '?';
}

std::optional<RowStatus> StatusOf(QByteArrayView text)
{
    if (text == "+")
        return RowStatus::Renamed;
    if (text == "-")
        return RowStatus::NotRenamed;
    if (text == "?")
        return RowStatus::Planned;
    if (text == "<")
        return RowStatus::PutBack;
    return std::nullopt;
}

bool NeedsEscape(QChar ch)
{
    return ch == QLatin1Char('\\') || ch.unicode() < 0x20 || ch.unicode() == 0x7F || ch.isSurrogate();
}

// Writes UTF-8 straight into one buffer sized for the worst case: no text is
// converted twice, and the pages of the buffer nobody writes cost nothing.
class Utf8Writer {
public:
    // `units`: the UTF-16 length of all text to come; an escape turns one
    // unit into at most six bytes ("\uD800").
    explicit Utf8Writer(qsizetype units)
    {
        m_out.resize(units * 6 + 1024);
        m_at = m_out.data();
    }
    void ascii(QByteArrayView text)
    {
        std::memcpy(m_at, text.data(), static_cast<size_t>(text.size()));
        m_at += text.size();
    }
    void ascii(char ch) { *m_at++ = ch; }
    void text(QStringView text) { m_at = m_encoder.appendToBuffer(m_at, text); }
    // A name as it stands in a field.
    void escaped(QStringView text)
    {
        qsizetype plain = 0; // start of the run not written yet
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar ch = text.at(i);
            if (!NeedsEscape(ch))
                continue;
            if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                ++i;
                continue;
            }
            this->text(text.sliced(plain, i - plain));
            plain = i + 1;
            if (ch == QLatin1Char('\\'))
                ascii("\\\\");
            else
                hex(ch.isSurrogate() ? 'u' : 'x', ch.unicode(), ch.isSurrogate() ? 4 : 2);
        }
        this->text(text.sliced(plain));
    }
    // A row's name; plain ASCII needing no escape is copied as it is.
    void escaped(const NameText& text)
    {
        const QLatin1StringView bytes = text.asciiView();
        if (!text.isAscii())
            escaped(text.utf16View());
        else if (std::none_of(bytes.begin(), bytes.end(),
                              [](char ch) { return NeedsEscape(QLatin1Char(ch)); }))
            ascii(QByteArrayView(bytes.data(), bytes.size()));
        else
            escaped(QStringView(text.toString()));
    }
    // A file as it stands in a row: its four numbers in hexadecimal, the
    // birth time with its sign, or "-" when it is not known.
    void identity(const FileIdentity& identity)
    {
        if (!identity.isKnown()) {
            ascii('-');
            return;
        }
        hex(identity.device);
        ascii('.');
        hex(identity.inode);
        ascii('.');
        hex(identity.kind);
        ascii('.');
        if (identity.birth < 0)
            ascii('-');
        hex(identity.birth < 0 ? 0 - quint64(identity.birth) : quint64(identity.birth));
    }
    QByteArray take()
    {
        m_out.truncate(m_at - m_out.data());
        return std::move(m_out);
    }

private:
    void hex(char kind, uint value, int digits)
    {
        ascii('\\');
        ascii(kind);
        ascii(QByteArray::number(value, 16).rightJustified(digits, '0'));
    }

    // Lower-case digits, no leading zeros.
    void hex(quint64 value)
    {
        char digits[16];
        int count = 0;
        do {
            digits[count++] = "0123456789abcdef"[value & 0xF];
            value >>= 4;
        } while (value != 0);
        while (count > 0)
            *m_at++ = digits[--count];
    }

    QByteArray m_out;
    char* m_at = nullptr;
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
};

std::optional<QString> DecodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The next line of `bytes` from `pos`, without its newline; pos moves past it.
QByteArrayView NextLine(QByteArrayView bytes, qsizetype& pos)
{
    const qsizetype end = bytes.indexOf('\n', pos);
    const qsizetype stop = end < 0 ? bytes.size() : end;
    const QByteArrayView line = bytes.sliced(pos, stop - pos);
    pos = end < 0 ? bytes.size() : end + 1;
    return line;
}

std::optional<FileIdentity> IdentityOf(QByteArrayView text)
{
    if (text == "-")
        return FileIdentity{};
    const QList<QByteArray> parts = text.toByteArray().split('.');
    if (parts.size() != 4)
        return std::nullopt;
    bool ok[4] = {};
    FileIdentity identity{parts[0].toULongLong(&ok[0], 16), parts[1].toULongLong(&ok[1], 16),
                          parts[2].toUInt(&ok[2], 16), parts[3].toLongLong(&ok[3], 16)};
    if (!(ok[0] && ok[1] && ok[2] && ok[3]) || !identity.isKnown())
        return std::nullopt;
    return identity;
}

// The bytes without the room left for the results: the one line that holds
// only spaces (no other line starts with a space). What a results block
// written into it left over is such a line too.
QByteArray WithoutRoom(const QByteArray& bytes)
{
    const qsizetype start = bytes.indexOf("\n ");
    if (start < 0)
        return bytes;
    const qsizetype end = bytes.indexOf('\n', start + 1);
    const qsizetype stop = end < 0 ? bytes.size() : end;
    for (qsizetype i = start + 1; i < stop; ++i) {
        if (bytes.at(i) != ' ')
            return bytes;
    }
    return bytes.first(start + 1) + (end < 0 ? QByteArray() : bytes.sliced(end + 1));
}

std::optional<int> NumberOf(QByteArrayView text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 ? std::optional<int>(value) : std::nullopt;
}

// A field back to its text; nothing for a broken escape or bytes that are
// not UTF-8.
std::optional<QString> UnescapeJournalText(QByteArrayView field)
{
    if (!field.contains('\\'))
        return DecodeUtf8(field);
    QString out;
    qsizetype pos = 0;
    while (pos < field.size()) {
        const qsizetype slash = field.indexOf('\\', pos);
        const qsizetype stop = slash < 0 ? field.size() : slash;
        const auto plain = DecodeUtf8(field.sliced(pos, stop - pos));
        if (!plain)
            return std::nullopt;
        out += *plain;
        if (slash < 0)
            break;
        if (slash + 1 >= field.size())
            return std::nullopt;
        const char kind = field.at(slash + 1);
        if (kind == '\\') {
            out += QLatin1Char('\\');
            pos = slash + 2;
            continue;
        }
        const int digits = kind == 'x' ? 2 : kind == 'u' ? 4 : 0;
        if (digits == 0 || slash + 2 + digits > field.size())
            return std::nullopt;
        bool ok = false;
        const uint code = field.sliced(slash + 2, digits).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        out += QChar(static_cast<char16_t>(code));
        pos = slash + 2 + digits;
    }
    return out;
}

class Parser {
public:
    Parser(QByteArrayView bytes, QString* error)
        : m_bytes(bytes)
        , m_error(error)
    {}

    std::optional<JournalBatch> parse(JournalRead depth)
    {
        if (!m_bytes.startsWith(kMagic))
            return fail(QStringLiteral("not a journal"));
        const QByteArrayView version = NextLine(m_bytes, m_pos).sliced(kMagic.size());
        if (version != kVersion && version != kVersionWithoutIdentities)
            return fail(QStringLiteral("journal version %1").arg(QString::fromUtf8(version)));
        m_identified = version == kVersion;
        m_batch.identified = m_identified;
        if (!m_bytes.endsWith(kTrailer)) {
            // A results block cut short by a crash: what came before it stands.
            const qsizetype torn = m_bytes.lastIndexOf(kResultsStart);
            if (torn < 0)
                return fail(QStringLiteral("cut short"));
            m_bytes = m_bytes.first(torn + 5);
        }
        // The plan ends before the first results block; the last one says
        // how the batch stands now.
        const qsizetype results = m_bytes.lastIndexOf(kResultsStart);
        const QByteArrayView block = results < 0 ? QByteArrayView() : m_bytes.sliced(results + 5);
        if (results >= 0)
            m_bytes = m_bytes.first(m_bytes.indexOf(kResultsStart) + 5);
        if (!readHeader())
            return std::nullopt;
        if (depth == JournalRead::Whole && !readRows())
            return std::nullopt;
        if (!block.isEmpty() && !readResults(block, depth))
            return std::nullopt;
        return m_batch;
    }

private:
    bool failed(const QString& why)
    {
        if (m_error)
            *m_error = why;
        return false;
    }
    std::optional<JournalBatch> fail(const QString& why)
    {
        failed(why);
        return std::nullopt;
    }

    bool readHeader()
    {
        bool hasStarted = false;
        bool hasWalk = false;
        bool hasState = false;
        bool hasRows = false;
        bool hasFolders = false;
        while (m_pos < m_bytes.size()) {
            const qsizetype lineStart = m_pos;
            const QByteArrayView line = NextLine(m_bytes, m_pos);
            if (line.startsWith("#") || line.isEmpty())
                continue;
            if (line.startsWith("folder\t") || line == "end") {
                m_pos = lineStart;
                break;
            }
            const qsizetype space = line.indexOf(' ');
            const QByteArrayView key = space < 0 ? line : line.first(space);
            const QByteArrayView value = space < 0 ? QByteArrayView() : line.sliced(space + 1);
            if (key == "started") {
                m_batch.started = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
                hasStarted = m_batch.started.isValid();
            } else if (key == "process") {
                m_batch.process = value.toLongLong();
            } else if (key == "walk") {
                const auto walk = ValueOf(kWalks, value);
                hasWalk = walk.has_value();
                m_batch.walk = static_cast<RenameWalkKind>(walk.value_or(0));
            } else if (key == "state") {
                const auto state = ValueOf(kStates, value);
                hasState = state.has_value();
                m_batch.state = static_cast<JournalState>(state.value_or(0));
            } else if (key == "interrupted") {
                m_batch.interrupted = value == "yes";
            } else if (key == "origin") {
                m_batch.throughEditor = value == "editor";
            } else if (key == "rows") {
                const auto rows = NumberOf(value);
                hasRows = rows.has_value() && *rows <= m_bytes.size() / kShortestRow;
                m_batch.rowCount = rows.value_or(0);
            } else if (key == "folders") {
                const auto folders = NumberOf(value);
                hasFolders = folders.has_value() && *folders <= m_bytes.size() / kShortestFolder;
                m_batch.folderCount = folders.value_or(0);
            }
            // Other keys belong to later revisions of this version; skipped.
        }
        if (!(hasStarted && hasWalk && hasState && hasRows && hasFolders))
            return failed(QStringLiteral("header incomplete"));
        // The first folder names the batch in the history.
        qsizetype peek = m_pos;
        const QByteArrayView first = NextLine(m_bytes, peek);
        if (first.startsWith("folder\t")) {
            const auto folder = UnescapeJournalText(first.sliced(7));
            if (!folder)
                return failed(QStringLiteral("folder unreadable"));
            m_batch.firstFolder = *folder;
        }
        return true;
    }

    bool readRows()
    {
        QString folder;
        int folders = 0;
        m_batch.rows.reserve(m_batch.rowCount);
        while (m_pos < m_bytes.size()) {
            const QByteArrayView line = NextLine(m_bytes, m_pos);
            if (line.startsWith("#"))
                continue;
            if (line == "end")
                break;
            if (line.startsWith("folder\t")) {
                const auto text = UnescapeJournalText(line.sliced(7));
                if (!text || text->isEmpty())
                    return failed(QStringLiteral("folder unreadable"));
                folder = *text;
                ++folders;
                continue;
            }
            const qsizetype tab1 = line.indexOf('\t');
            const qsizetype tab2 = tab1 < 0 ? -1 : line.indexOf('\t', tab1 + 1);
            const qsizetype tab3 = tab2 < 0 ? -1 : line.indexOf('\t', tab2 + 1);
            const bool fieldsRight =
                m_identified ? tab3 >= 0 && line.indexOf('\t', tab3 + 1) < 0 : tab2 >= 0 && tab3 < 0;
            if (!fieldsRight || folder.isEmpty() || m_batch.rows.size() >= m_batch.rowCount)
                return failed(QStringLiteral("row unreadable"));
            const qsizetype nameEnd = m_identified ? tab3 : line.size();
            const auto status = StatusOf(line.first(tab1));
            const auto oldName = UnescapeJournalText(line.sliced(tab1 + 1, tab2 - tab1 - 1));
            const auto newName = UnescapeJournalText(line.sliced(tab2 + 1, nameEnd - tab2 - 1));
            const auto identity = m_identified ? IdentityOf(line.sliced(tab3 + 1)) : FileIdentity{};
            if (!status || !oldName || !newName || !identity || oldName->isEmpty() || newName->isEmpty())
                return failed(QStringLiteral("row unreadable"));
            m_batch.rows.append({folder, *oldName, *newName, *status, *identity});
        }
        if (m_pos != m_bytes.size() || m_batch.rows.size() != m_batch.rowCount ||
            folders != m_batch.folderCount)
            return failed(QStringLiteral("rows do not match the header"));
        return true;
    }

    // "results", "not-renamed" and "put-back" lines of row numbers from 1
    // and ranges ("4 17-20"), "state", "interrupted", "end"; every row not
    // named was renamed.
    bool readResults(QByteArrayView block, JournalRead depth)
    {
        qsizetype pos = 0;
        NextLine(block, pos); // "results"
        // Ranges of one kind come in order and never overlap, as they are
        // written: every row is named at most once, whatever the file says.
        Ranges notRenamed;
        Ranges putBack;
        bool hasState = false;
        while (pos < block.size()) {
            const QByteArrayView line = NextLine(block, pos);
            if (line == "end")
                break;
            const qsizetype space = line.indexOf(' ');
            const QByteArrayView key = space < 0 ? line : line.first(space);
            const QByteArrayView value = space < 0 ? QByteArrayView() : line.sliced(space + 1);
            if (key == "state") {
                const auto state = ValueOf(kStates, value);
                hasState = state.has_value();
                m_batch.state = static_cast<JournalState>(state.value_or(0));
            } else if (key == "interrupted") {
                m_batch.interrupted = value == "yes";
            } else if (key == "statuses") {
                m_batch.statusesLost = value == "lost";
            } else if (key == "not-renamed" || key == "put-back") {
                if (!readRanges(value, key == "put-back" ? putBack : notRenamed, depth))
                    return failed(QStringLiteral("results unreadable"));
            }
        }
        if (!hasState)
            return failed(QStringLiteral("results without a state"));
        // An open batch knows no results, whatever a block lists, and one
        // whose statuses were lost knows none either.
        if (m_batch.state == JournalState::Open || m_batch.statusesLost)
            return true;
        if (notRenamed.count + putBack.count > m_batch.rowCount)
            return failed(QStringLiteral("results unreadable"));
        m_batch.putBackCount = putBack.count;
        m_batch.renamedCount = m_batch.rowCount - notRenamed.count;
        if (m_batch.state == JournalState::Done && putBack.count > 0)
            m_batch.state = JournalState::PartlyUndone;
        // Undone before put-back rows were recorded: how many files the walk
        // renamed is not known any more.
        if (m_batch.state == JournalState::Undone && putBack.count == 0)
            m_batch.renamedCount = -1;
        if (depth != JournalRead::Whole)
            return true;
        for (JournalRow& row : m_batch.rows)
            row.status = RowStatus::Renamed;
        for (const int row : std::as_const(notRenamed.rows))
            m_batch.rows[row].status = RowStatus::NotRenamed;
        for (const int row : std::as_const(putBack.rows)) {
            if (m_batch.rows.at(row).status != RowStatus::Renamed)
                return failed(QStringLiteral("results unreadable"));
            m_batch.rows[row].status = RowStatus::PutBack;
        }
        return true;
    }

    struct Ranges {
        QList<int> rows; // from 0, only for a whole read
        int count = 0;
        int last = 0; // the last row named, from 1
    };

    bool readRanges(QByteArrayView value, Ranges& ranges, JournalRead depth) const
    {
        for (qsizetype at = 0; at < value.size();) {
            const qsizetype gap = value.indexOf(' ', at);
            const QByteArrayView range = value.sliced(at, (gap < 0 ? value.size() : gap) - at);
            at = gap < 0 ? value.size() : gap + 1;
            const qsizetype dash = range.indexOf('-');
            const auto first = NumberOf(dash < 0 ? range : range.first(dash));
            const auto last = dash < 0 ? first : NumberOf(range.sliced(dash + 1));
            if (!first || !last || *first <= ranges.last || *last < *first || *last > m_batch.rowCount)
                return false;
            ranges.last = *last;
            ranges.count += *last - *first + 1;
            if (depth == JournalRead::Whole) {
                for (int row = *first; row <= *last; ++row)
                    ranges.rows.append(row - 1);
            }
        }
        return true;
    }

    QByteArrayView m_bytes;
    QString* m_error;
    qsizetype m_pos = 0;
    bool m_identified = true;
    JournalBatch m_batch;
};

} // namespace

QByteArray FormatJournalHeader(const JournalBatch& batch, qsizetype rows, int folders)
{
    const QDateTime started = batch.started.toOffsetFromUtc(batch.started.offsetFromUtc());
    return kMagic.toByteArray() + kVersion.toByteArray() +
           "\n# Rows are \"status<TAB>old name<TAB>new name<TAB>file\" below their folder; status ?"
           " planned, + renamed, - not renamed.\n" +
           "started " + started.toString(Qt::ISODateWithMs).toLatin1() + "\nprocess " +
           QByteArray::number(batch.process) + "\nwalk " + WordOf(kWalks, int(batch.walk)).toByteArray() +
           "\nstate " + StateWord(batch.state).toByteArray() +
           (batch.interrupted ? "\ninterrupted yes" : "\ninterrupted no") +
           (batch.throughEditor ? "\norigin editor" : "") + "\nrows " + QByteArray::number(rows) +
           "\nfolders " + QByteArray::number(folders) + '\n';
}

QByteArray FormatJournalRows(const QList<JournalRow>& rows, const NameText* previousFolder)
{
    // Whether row i starts a run of its folder.
    const auto startsFolder = [&](qsizetype i) {
        const NameText* before = i == 0 ? previousFolder : &rows.at(i - 1).folder;
        return !before || rows.at(i).folder != *before;
    };
    qsizetype units = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const JournalRow& row = rows.at(i);
        if (startsFolder(i))
            units += row.folder.size() + 8;
        units += row.oldName.size() + row.newName.size() + 16; // the identity fits in 12 units
    }
    Utf8Writer out(units);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const JournalRow& row = rows.at(i);
        if (startsFolder(i)) {
            out.ascii("folder\t");
            out.escaped(row.folder);
            out.ascii('\n');
        }
        out.ascii(StatusChar(row.status));
        out.ascii('\t');
        out.escaped(row.oldName);
        out.ascii('\t');
        out.escaped(row.newName);
        out.ascii('\t');
        out.identity(row.identity);
        out.ascii('\n');
    }
    return out.take();
}

QByteArray FormatJournal(const JournalBatch& batch)
{
    int folders = 0;
    for (qsizetype i = 0; i < batch.rows.size(); ++i)
        folders += i == 0 || batch.rows.at(i).folder != batch.rows.at(i - 1).folder ? 1 : 0;
    return FormatJournalHeader(batch, batch.rows.size(), folders) + FormatJournalRows(batch.rows, nullptr) +
           JournalEndLine.toByteArray();
}

namespace {

// "KEY 4 17-20" lines of the rows (from 1) whose status `takes`, sixteen
// runs a line.
template <class Takes>
QByteArray RangeLines(const std::vector<RowStatus>& rows, QByteArrayView key, Takes takes)
{
    QByteArray out;
    QByteArray line;
    int runs = 0;
    for (size_t first = 0; first < rows.size();) {
        if (!takes(rows[first])) {
            ++first;
            continue;
        }
        size_t last = first;
        while (last + 1 < rows.size() && takes(rows[last + 1]))
            ++last;
        line += ' ' + QByteArray::number(first + 1);
        if (last > first)
            line += '-' + QByteArray::number(last + 1);
        if (++runs % 16 == 0) {
            out += key.toByteArray() + line + '\n';
            line.clear();
        }
        first = last + 1;
    }
    if (!line.isEmpty())
        out += key.toByteArray() + line + '\n';
    return out;
}

} // namespace

QByteArray FormatJournalResults(const JournalBatch& batch)
{
    std::vector<RowStatus> statuses;
    statuses.reserve(static_cast<size_t>(batch.rows.size()));
    for (const JournalRow& row : batch.rows)
        statuses.push_back(row.status);
    return FormatJournalResults(batch, statuses);
}

QByteArray FormatJournalResults(const JournalBatch& batch, const std::vector<RowStatus>& statuses)
{
    // Runs of rows not renamed and of rows put back, numbered from 1; an
    // open batch has no results to list.
    QByteArray out = "results\n";
    if (batch.statusesLost)
        out += "statuses lost\n";
    if (!batch.statusesLost && batch.state != JournalState::Open) {
        out += RangeLines(statuses, "not-renamed", [](RowStatus status) {
            return status == RowStatus::NotRenamed || status == RowStatus::Planned;
        });
        out +=
            RangeLines(statuses, "put-back", [](RowStatus status) { return status == RowStatus::PutBack; });
    }
    out += "state " + StateWord(batch.state).toByteArray() + '\n';
    out += batch.interrupted ? "interrupted yes\n" : "interrupted no\n";
    out += "end\n";
    return out;
}

JournalState SettledState(const QList<JournalRow>& rows)
{
    bool renamed = false;
    bool putBack = false;
    for (const JournalRow& row : rows) {
        renamed = renamed || row.status == RowStatus::Renamed;
        putBack = putBack || row.status == RowStatus::PutBack;
    }
    if (!putBack)
        return JournalState::Done;
    return renamed ? JournalState::PartlyUndone : JournalState::Undone;
}

void CountRows(JournalBatch& batch)
{
    batch.renamedCount = 0;
    batch.putBackCount = 0;
    for (const JournalRow& row : std::as_const(batch.rows)) {
        batch.renamedCount += row.status == RowStatus::Renamed || row.status == RowStatus::PutBack ? 1 : 0;
        batch.putBackCount += row.status == RowStatus::PutBack ? 1 : 0;
    }
}

QByteArray JournalResultsRoom(qsizetype bytes)
{
    return bytes < 1 ? QByteArray() : QByteArray(bytes - 1, ' ') + '\n';
}

std::optional<JournalBatch> ParseJournal(const QByteArray& bytes, JournalRead depth, QString* error)
{
    const QByteArray content = WithoutRoom(bytes);
    return Parser(content, error).parse(depth);
}
