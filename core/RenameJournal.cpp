#include "core/RenameJournal.h"

#include "core/FileTrust.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

const QString kSuffix = QStringLiteral(".journal");
// Ids of batches start with "n" and a sequence number, so that they sort
// after the time-named ids of earlier versions and in the order they were
// made, whatever the clock said.
const QChar kSequenced = QLatin1Char('n');
constexpr int kSequenceDigits = 12;
// Room for the results of a walk: enough for a few hundred runs of failed
// rows; more are appended, and a disk too full for them still takes the
// short block.
constexpr qsizetype kResultsRoom = 4096;
const QString kAsideSuffix = QStringLiteral(".unreadable");
// Far above any plan a list can hold; a bigger file is not a journal.
constexpr qint64 kMaxJournalBytes = qint64(512) << 20;

// A batch's planned rows as the journal file's text, a piece at a time,
// then the end line: each piece asks the disk for its files' identities
// (the rows of one folder together) right before it is formatted.
class PlanPieces {
public:
    PlanPieces(const QList<PlannedRename>& plan, JournalDisk& disk)
        : m_plan(plan)
        , m_disk(disk)
    {}

    // Empty once the end line was given.
    QByteArray next()
    {
        if (m_next >= m_plan.size()) {
            if (std::exchange(m_ended, true))
                return {};
            return JournalEndLine.toByteArray();
        }
        const qsizetype end = std::min(m_next + kRowsAPiece, m_plan.size());
        QList<JournalRow> rows;
        rows.reserve(end - m_next);
        QList<NameText> names;
        for (qsizetype first = m_next; first < end;) {
            qsizetype runEnd = first + 1;
            while (runEnd < end && m_plan.at(runEnd).folder == m_plan.at(first).folder)
                ++runEnd;
            names.clear();
            for (qsizetype i = first; i < runEnd; ++i)
                names.append(m_plan.at(i).fromName);
            const QList<FileIdentity> identities = m_disk.identitiesIn(m_plan.at(first).folder, names);
            for (qsizetype i = first; i < runEnd; ++i) {
                const PlannedRename& step = m_plan.at(i);
                rows.append({step.folder, step.fromName, step.toName, RowStatus::Planned,
                             identities.value(i - first)});
            }
            first = runEnd;
        }
        QByteArray piece = FormatJournalRows(rows, m_next == 0 ? nullptr : &m_plan.at(m_next - 1).folder);
        m_next = end;
        return piece;
    }

private:
    // About a megabyte of text.
    static constexpr qsizetype kRowsAPiece = 16384;

    const QList<PlannedRename>& m_plan;
    JournalDisk& m_disk;
    qsizetype m_next = 0;
    bool m_ended = false;
};

bool IsFinished(JournalState state)
{
    return state == JournalState::Done || state == JournalState::PartlyUndone ||
           state == JournalState::Undone;
}

} // namespace

bool LaterBatchTouches(const JournalBatch& earlier, const JournalBatch& later)
{
    const auto fileKey = [](const FileIdentity& file) -> QString {
        return QString::number(file.device) + QLatin1Char(':') + QString::number(file.inode);
    };
    const auto nameKey = [](const QString& folder, const QString& name) -> QString {
        return folder + QChar(0) + name;
    };
    QSet<QString> files;
    QSet<QString> names;
    for (const JournalRow& row : earlier.rows) {
        if (row.status != RowStatus::Renamed)
            continue;
        if (row.identity.isKnown())
            files.insert(fileKey(row.identity));
        names.insert(nameKey(row.folder, row.newName));
        names.insert(nameKey(row.folder, row.oldName));
    }
    for (const JournalRow& row : later.rows) {
        if (row.status != RowStatus::Renamed)
            continue;
        if ((row.identity.isKnown() && files.contains(fileKey(row.identity))) ||
            names.contains(nameKey(row.folder, row.oldName)) ||
            names.contains(nameKey(row.folder, row.newName)))
            return true;
    }
    return false;
}

RenameJournal::RenameJournal(QString folder, JournalDisk& disk)
    : m_folder(std::move(folder))
    , m_disk(disk)
{
    // The names of the user's files are nobody else's business.
    if (!QDir(m_folder).exists() && QDir().mkpath(m_folder))
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString RenameJournal::folderRefusal()
{
    // Whoever may write the folder decides which files a put-back renames:
    // such a folder is not used at all, and walks are asked about first.
    // Looked at each time: a folder can lose its protection while the
    // program runs.
    const FileTrust trust = CheckUserFolder(m_folder);
    if (trust == FileTrust::Trusted)
        return {};
    if (!std::exchange(m_folderReported, true))
        ReportIgnoredFile(m_folder, trust);
    return FolderRefusalText(QStringLiteral("リネーム履歴のフォルダ"), m_folder, trust);
}

QString RenameJournal::pathOf(const QString& id) const
{
    return m_folder + QLatin1Char('/') + id + kSuffix;
}

QString RenameJournal::newId()
{
    // The next number after every batch there is; the time only helps a
    // person who reads the folder, and the process number keeps two copies
    // that chose the same number apart.
    qint64 last = 0;
    for (const QString& id : idsNewestFirst()) {
        if (id.startsWith(kSequenced)) {
            last = std::max(last, id.mid(1, kSequenceDigits).toLongLong());
            break;
        }
    }
    for (const QString& id : m_open.keys())
        last = std::max(last, id.mid(1, kSequenceDigits).toLongLong());
    QString id;
    do {
        id = kSequenced + QStringLiteral("%1").arg(++last, kSequenceDigits, 10, QLatin1Char('0')) +
             QLatin1Char('-') + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
             QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
    } while (QFile::exists(pathOf(id)));
    return id;
}

QString RenameJournal::begin(RenameWalkKind walk, QList<PlannedRename> plan, QString& id, bool throughEditor)
{
    id.clear();
    if (plan.isEmpty())
        return {};
    if (QString refusal = folderRefusal(); !refusal.isEmpty())
        return refusal;
    OpenBatch open;
    open.batch.started = QDateTime::currentDateTime();
    open.batch.process = QCoreApplication::applicationPid();
    open.batch.walk = walk;
    open.batch.throughEditor = throughEditor;
    open.batch.state = JournalState::Open;
    // The plan goes to the file a piece at a time, and each piece's files
    // are asked for their identities as it is made: neither the rows with
    // their identities nor the whole text of a million rows stand in memory.
    open.listRows.reserve(plan.size());
    int folders = 0;
    for (qsizetype i = 0; i < plan.size(); ++i) {
        open.listRows.append(plan.at(i).row);
        folders += i == 0 || plan.at(i).folder != plan.at(i - 1).folder ? 1 : 0;
    }
    PlanPieces pieces(plan, m_disk);
    QByteArray header = FormatJournalHeader(open.batch, plan.size(), folders);
    bool roomGiven = false;
    const QString newBatch = newId();
    const QString failure = m_disk.create(pathOf(newBatch), [&]() -> QByteArray {
        if (!header.isEmpty()) {
            open.roomAt += header.size();
            return std::exchange(header, {});
        }
        QByteArray piece = pieces.next();
        open.roomAt += piece.size();
        if (!piece.isEmpty() || roomGiven)
            return piece;
        roomGiven = true;
        return JournalResultsRoom(kResultsRoom);
    });
    if (!failure.isEmpty())
        return failure;
    m_open.insert(newBatch, std::move(open));
    id = newBatch;
    return {};
}

QString RenameJournal::finish(const QString& id, const QList<int>& renamedRows, bool stopped)
{
    auto found = m_open.find(id);
    if (found == m_open.end())
        return {};
    OpenBatch open = std::move(*found);
    m_open.erase(found);
    // One flag per list row: a million rows cost a megabyte, not a hash.
    const int last = renamedRows.isEmpty() ? -1 : *std::max_element(renamedRows.cbegin(), renamedRows.cend());
    std::vector<char> renamed(static_cast<size_t>(last + 1), 0);
    for (const int row : renamedRows)
        renamed[static_cast<size_t>(row)] = 1;
    std::vector<RowStatus> statuses;
    statuses.reserve(static_cast<size_t>(open.listRows.size()));
    for (const int row : std::as_const(open.listRows)) {
        const bool wasRenamed = row >= 0 && row <= last && renamed[static_cast<size_t>(row)];
        statuses.push_back(wasRenamed ? RowStatus::Renamed : RowStatus::NotRenamed);
    }
    open.batch.state = JournalState::Done;
    open.batch.interrupted = stopped;
    const QString path = pathOf(id);
    constexpr JournalDisk::Step end = JournalDisk::Step::End;
    // The results go into the room the plan left (its last two bytes stay,
    // so what is left over is still a line of spaces); when they do not fit
    // they are appended, and when the disk is too full for that, the short
    // block that names no rows goes into the room.
    const QByteArray results = FormatJournalResults(open.batch, statuses);
    QString failure = results.size() <= kResultsRoom - 2 ? m_disk.overwrite(path, open.roomAt, results, end)
                                                         : m_disk.append(path, results, end);
    if (!failure.isEmpty() && results.size() > kResultsRoom - 2) {
        open.batch.statusesLost = true;
        if (m_disk.overwrite(path, open.roomAt, FormatJournalResults(open.batch, statuses), end).isEmpty())
            failure.clear();
    }
    prune(idsNewestFirst());
    return failure;
}

QStringList RenameJournal::idsNewestFirst() const
{
    QStringList names = QDir(m_folder).entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
    std::reverse(names.begin(), names.end());
    for (QString& name : names)
        name.chop(kSuffix.size());
    return names;
}

void RenameJournal::prune(const QStringList& newestFirst)
{
    // The last kKeptBatches stay while they fit in the size cap; the oldest
    // go first, and only finished ones: an interrupted batch waits for its
    // answer, whatever its age and size.
    qint64 bytes = 0;
    for (const QString& id : newestFirst) {
        const QFileInfo file(pathOf(id));
        bytes += file.isSymLink() ? 0 : file.size(); // a link is never read, so never counted
    }
    for (qsizetype i = newestFirst.size() - 1; i > 0 && (i >= kKeptBatches || bytes > m_keptBytes); --i) {
        const QString path = pathOf(newestFirst.at(i));
        if (m_disk.isHeld(path))
            continue;
        const auto contents = readOwnFile(path);
        if (!contents)
            continue;
        const qint64 size = contents->size();
        const auto header = ParseJournal(*contents, JournalRead::HeaderOnly);
        if (!header)
            m_setAside.append(setAside(path));
        else if (!IsFinished(header->state) || !QFile::remove(path))
            continue;
        bytes -= size;
    }
}

std::optional<QByteArray> RenameJournal::readOwnFile(const QString& path)
{
    // Whoever could write a journal decides which files a put-back renames:
    // a file that is not the user's own is named once and left alone. Its
    // bytes come from what was checked, and a file too big to be a journal
    // is not read.
    UserFileBytes file = ReadUserFile(path, kMaxJournalBytes);
    if (file.trust == FileTrust::Trusted)
        return file.read ? std::optional<QByteArray>(std::move(file.bytes)) : std::nullopt;
    if (file.trust != FileTrust::Missing && !m_ignored.contains(path)) {
        m_ignored.insert(path);
        ReportIgnoredFile(path, file.trust);
    }
    return std::nullopt;
}

QString RenameJournal::setAside(const QString& path)
{
    // Kept for a person to look at, never trusted and never deleted.
    QString aside = path + kAsideSuffix;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = path + QLatin1Char('-') + QString::number(n) + kAsideSuffix;
    return QFile::rename(path, aside) ? aside : path;
}

RenameJournal::Scan RenameJournal::scan()
{
    Scan result;
    if (!folderRefusal().isEmpty())
        return result;
    QStringList readable;
    for (const QString& id : idsNewestFirst()) {
        const QString path = pathOf(id);
        const auto bytes = readOwnFile(path);
        if (!bytes)
            continue;
        const bool running = m_disk.isHeld(path);
        auto header = ParseJournal(*bytes, JournalRead::HeaderOnly);
        if (!header) {
            // A file another copy of the program holds is left to it.
            if (!running)
                m_setAside.append(setAside(path));
            continue;
        }
        readable.append(id);
        result.batches.append({id, std::move(*header), running});
    }
    prune(readable);
    result.batches.removeIf([this](const JournalSummary& batch) { return !QFile::exists(pathOf(batch.id)); });
    result.setAside = std::exchange(m_setAside, {});
    return result;
}

std::optional<JournalBatch> RenameJournal::load(const QString& id, QStringList* setAsidePaths)
{
    const QString path = pathOf(id);
    const auto bytes = folderRefusal().isEmpty() ? readOwnFile(path) : std::nullopt;
    auto batch = bytes ? ParseJournal(*bytes, JournalRead::Whole) : std::nullopt;
    if (!batch && bytes) {
        const QString aside = setAside(path);
        if (setAsidePaths)
            setAsidePaths->append(aside);
    }
    return batch;
}

QString RenameJournal::store(const QString& id, const JournalBatch& batch, JournalDisk::Step step)
{
    return m_disk.append(pathOf(id), FormatJournalResults(batch), step);
}

bool RenameJournal::isRunning(const QString& id)
{
    return m_open.contains(id) || m_disk.isHeld(pathOf(id));
}
