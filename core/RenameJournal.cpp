#include "core/RenameJournal.h"

#include "core/FileTrust.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".journal");
const QString kAsideSuffix = QStringLiteral(".unreadable");
// Far above any plan a list can hold; a bigger file is not a journal.
constexpr qint64 kMaxJournalBytes = qint64(512) << 20;

bool IsFinished(JournalState state)
{
    return state == JournalState::Done || state == JournalState::Undone;
}

// The one way journal files are read, after isOwnFile(). Nothing when the
// file cannot be read or is too big to be a journal.
std::optional<QByteArray> ReadJournalFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxJournalBytes)
        return std::nullopt;
    return file.readAll();
}

} // namespace

RenameJournal::RenameJournal(QString folder, JournalDisk& disk)
    : m_folder(std::move(folder))
    , m_disk(disk)
{
    // The names of the user's files are nobody else's business.
    if (!QDir(m_folder).exists() && QDir().mkpath(m_folder))
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString RenameJournal::pathOf(const QString& id) const
{
    return m_folder + QLatin1Char('/') + id + kSuffix;
}

QString RenameJournal::newId()
{
    // Names sort by time; the process number keeps two copies apart.
    const QString stem = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) +
                         QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
    QString id = stem;
    // Batches of one millisecond get a number that sorts as it counts.
    for (int n = 2; QFile::exists(pathOf(id)) || m_open.contains(id); ++n)
        id = stem + QLatin1Char('-') + QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
    return id;
}

QString RenameJournal::begin(RenameWalkKind walk, QList<PlannedRename> plan, QString* error)
{
    if (plan.isEmpty())
        return {};
    OpenBatch open;
    open.batch.started = QDateTime::currentDateTime();
    open.batch.process = QCoreApplication::applicationPid();
    open.batch.walk = walk;
    open.batch.state = JournalState::Open;
    open.batch.rows.reserve(plan.size());
    open.listRows.reserve(plan.size());
    // The names move over: a plan of 10,000 rows is copied nowhere.
    for (PlannedRename& step : plan) {
        open.batch.rows.append(
            {std::move(step.folder), std::move(step.fromName), std::move(step.toName), RowStatus::Planned});
        open.listRows.append(step.row);
    }
    const QString id = newId();
    const QString failure = m_disk.create(pathOf(id), FormatJournal(open.batch));
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        return {};
    }
    m_open.insert(id, std::move(open));
    return id;
}

QString RenameJournal::finish(const QString& id, const RenameList& list)
{
    auto found = m_open.find(id);
    if (found == m_open.end())
        return {};
    OpenBatch open = std::move(*found);
    m_open.erase(found);
    for (qsizetype i = 0; i < open.batch.rows.size(); ++i) {
        JournalRow& row = open.batch.rows[i];
        const int listRow = open.listRows.at(i);
        const bool renamed = listRow >= 0 && listRow < list.count() &&
                             list.at(listRow).currentName == row.newName &&
                             list.at(listRow).folder == row.folder;
        row.status = renamed ? RowStatus::Renamed : RowStatus::NotRenamed;
    }
    open.batch.state = JournalState::Done;
    // Only the results are appended: the end point costs next to nothing.
    const QString failure =
        m_disk.append(pathOf(id), FormatJournalResults(open.batch), JournalDisk::Step::End);
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
    // Only finished batches go; an interrupted one waits for its answer.
    for (qsizetype i = kKeptBatches; i < newestFirst.size(); ++i) {
        const QString path = pathOf(newestFirst.at(i));
        if (m_disk.isHeld(path) || !isOwnFile(path))
            continue;
        const auto bytes = ReadJournalFile(path);
        const auto header = bytes ? ParseJournal(*bytes, JournalRead::HeaderOnly) : std::nullopt;
        if (!header)
            m_setAside.append(setAside(path));
        else if (IsFinished(header->state))
            QFile::remove(path);
    }
}

bool RenameJournal::isOwnFile(const QString& path)
{
    // Whoever could write a journal decides which files a put-back renames:
    // a file that is not the user's own is named once and left alone.
    const FileTrust trust = CheckUserFile(path);
    if (trust == FileTrust::Trusted)
        return true;
    if (trust != FileTrust::Missing && !m_ignored.contains(path)) {
        m_ignored.insert(path);
        ReportIgnoredFile(path, trust);
    }
    return false;
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
    QStringList readable;
    for (const QString& id : idsNewestFirst()) {
        const QString path = pathOf(id);
        if (!isOwnFile(path))
            continue;
        const bool running = m_disk.isHeld(path);
        const auto bytes = ReadJournalFile(path);
        auto header = bytes ? ParseJournal(*bytes, JournalRead::HeaderOnly) : std::nullopt;
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
    if (!isOwnFile(path))
        return std::nullopt;
    const auto bytes = ReadJournalFile(path);
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
