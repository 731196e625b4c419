#include "core/RenameJournalFormat.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {

constexpr QByteArrayView kMagic = "quorvane-journal ";
constexpr QByteArrayView kVersion = "1";
constexpr QByteArrayView kTrailer = "\nend\n";

struct Word {
    const char* text;
    int value;
};

constexpr std::array<Word, 4> kWalks{{{"rename", int(WalkKind::RenameAll)},
                                      {"undo", int(WalkKind::UndoAll)},
                                      {"rename-selected", int(WalkKind::RenameSelected)},
                                      {"undo-selected", int(WalkKind::UndoSelected)}}};
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

char StatusChar(RowStatus status)
{
    switch (status) {
    case RowStatus::Renamed:
        return '+';
    case RowStatus::NotRenamed:
        return '-';
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
    return std::nullopt;
}

bool NeedsEscape(QChar ch)
{
    return ch == QLatin1Char('\\') || ch.unicode() < 0x20 || ch.unicode() == 0x7F || ch.isSurrogate();
}

void AppendHex(QByteArray& out, char kind, uint value, int digits)
{
    out += '\\';
    out += kind;
    out += QByteArray::number(value, 16).rightJustified(digits, '0');
}

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

std::optional<int> NumberOf(QByteArrayView text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 ? std::optional<int>(value) : std::nullopt;
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
        if (version != kVersion)
            return fail(QStringLiteral("journal version %1").arg(QString::fromUtf8(version)));
        if (!m_bytes.endsWith(kTrailer))
            return fail(QStringLiteral("cut short"));
        if (!readHeader())
            return std::nullopt;
        if (depth == JournalRead::Whole && !readRows())
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
                m_batch.walk = static_cast<WalkKind>(walk.value_or(0));
            } else if (key == "state") {
                const auto state = ValueOf(kStates, value);
                hasState = state.has_value();
                m_batch.state = static_cast<JournalState>(state.value_or(0));
            } else if (key == "interrupted") {
                m_batch.interrupted = value == "yes";
            } else if (key == "rows") {
                const auto rows = NumberOf(value);
                hasRows = rows.has_value();
                m_batch.rowCount = rows.value_or(0);
            } else if (key == "folders") {
                const auto folders = NumberOf(value);
                hasFolders = folders.has_value();
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
            if (tab2 < 0 || line.indexOf('\t', tab2 + 1) >= 0 || folder.isEmpty())
                return failed(QStringLiteral("row unreadable"));
            const auto status = StatusOf(line.first(tab1));
            const auto oldName = UnescapeJournalText(line.sliced(tab1 + 1, tab2 - tab1 - 1));
            const auto newName = UnescapeJournalText(line.sliced(tab2 + 1));
            if (!status || !oldName || !newName || oldName->isEmpty() || newName->isEmpty())
                return failed(QStringLiteral("row unreadable"));
            m_batch.rows.append({folder, *oldName, *newName, *status});
        }
        if (m_pos != m_bytes.size() || m_batch.rows.size() != m_batch.rowCount ||
            folders != m_batch.folderCount)
            return failed(QStringLiteral("rows do not match the header"));
        return true;
    }

    QByteArrayView m_bytes;
    QString* m_error;
    qsizetype m_pos = 0;
    JournalBatch m_batch;
};

} // namespace

QByteArray EscapeJournalText(const QString& text)
{
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    if (std::none_of(begin, end, NeedsEscape))
        return text.toUtf8();
    QByteArray out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += QStringView(text).sliced(i, 2).toUtf8();
            ++i;
        } else if (ch == QLatin1Char('\\')) {
            out += "\\\\";
        } else if (ch.isSurrogate()) {
            AppendHex(out, 'u', ch.unicode(), 4);
        } else if (NeedsEscape(ch)) {
            AppendHex(out, 'x', ch.unicode(), 2);
        } else {
            out += QStringView(&ch, 1).toUtf8();
        }
    }
    return out;
}

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

QByteArray FormatJournal(const JournalBatch& batch)
{
    int folders = 0;
    QString folder;
    for (const JournalRow& row : batch.rows) {
        if (row.folder != folder || folders == 0) {
            folder = row.folder;
            ++folders;
        }
    }
    const QDateTime started = batch.started.toOffsetFromUtc(batch.started.offsetFromUtc());

    QByteArray out;
    out.reserve(256 + batch.rows.size() * 64);
    out += kMagic;
    out += kVersion;
    out += "\n# Rows are \"status<TAB>old name<TAB>new name\" below their folder; status ? planned,"
           " + renamed, - not renamed.\n";
    out += "started " + started.toString(Qt::ISODateWithMs).toLatin1() + '\n';
    out += "process " + QByteArray::number(batch.process) + '\n';
    out += "walk " + WordOf(kWalks, int(batch.walk)).toByteArray() + '\n';
    out += "state " + WordOf(kStates, int(batch.state)).toByteArray() + '\n';
    out += QByteArrayView(batch.interrupted ? "interrupted yes\n" : "interrupted no\n");
    out += "rows " + QByteArray::number(batch.rows.size()) + '\n';
    out += "folders " + QByteArray::number(folders) + '\n';
    folder.clear();
    bool first = true;
    for (const JournalRow& row : batch.rows) {
        if (first || row.folder != folder) {
            folder = row.folder;
            first = false;
            out += "folder\t" + EscapeJournalText(folder) + '\n';
        }
        out += StatusChar(row.status);
        out += '\t';
        out += EscapeJournalText(row.oldName);
        out += '\t';
        out += EscapeJournalText(row.newName);
        out += '\n';
    }
    out += "end\n";
    return out;
}

std::optional<JournalBatch> ParseJournal(const QByteArray& bytes, JournalRead depth, QString* error)
{
    return Parser(bytes, error).parse(depth);
}
