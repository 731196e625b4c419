#include "core/FileTrust.h"

#include "core/Log.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <utility>

namespace {

FileFacts FactsOnDisk(const QString& path)
{
    const QFileInfo info(path);
    FileFacts facts;
    facts.symbolicLink = info.isSymLink();
    facts.exists = facts.symbolicLink || info.exists();
    if (!facts.exists || facts.symbolicLink)
        return facts; // what a link points to does not matter: it is refused
    facts.regularFile = info.isFile();
    facts.folder = info.isDir();
    facts.owner = info.ownerId();
    facts.writableByGroupOrOthers =
        (info.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther)) != 0;
    return facts;
}

// QtCore cannot name the user the process acts as, but every file it creates
// belongs to that user; where files have no owners this is kNoOwner.
uint ProcessUser()
{
    static const uint user = [] {
        QTemporaryFile probe(QDir::tempPath() + QStringLiteral("/quorvane-owner-XXXXXX"));
        // Without a file to look at, no user can be confirmed: a user nobody
        // has makes every owner check fail rather than pass.
        return probe.open() ? QFileInfo(probe.fileName()).ownerId() : static_cast<uint>(-3);
    }();
    return user;
}

FileTrustProbe& CurrentProbe()
{
    static FileTrustProbe probe = SystemFileTrustProbe();
    return probe;
}

FileTrust Check(const QString& path, bool wantFolder, bool rootMayOwn)
{
    const FileTrustProbe& probe = CurrentProbe();
    const FileFacts facts = probe.factsOf(path);
    if (!facts.exists)
        return FileTrust::Missing;
    if (facts.symbolicLink)
        return FileTrust::SymbolicLink;
    if (wantFolder ? !facts.folder : !facts.regularFile)
        return FileTrust::NotRegular;
    if (probe.currentUser == kNoOwner)
        return FileTrust::Trusted; // nothing more can be told where files have no owners
    if (facts.owner != probe.currentUser && !(rootMayOwn && facts.owner == kRootUser))
        return FileTrust::OtherOwner;
    if (facts.writableByGroupOrOthers)
        return FileTrust::WritableByOthers;
    return FileTrust::Trusted;
}

const char* DistrustLogText(FileTrust trust)
{
    switch (trust) {
    case FileTrust::SymbolicLink:
        return "a symbolic link";
    case FileTrust::NotRegular:
        return "not a regular file";
    case FileTrust::OtherOwner:
        return "owned by another user";
    case FileTrust::WritableByOthers:
        return "writable by group or others";
    case FileTrust::Missing:
    case FileTrust::Trusted:
        break;
    }
    return "";
}

} // namespace

FileTrustProbe SystemFileTrustProbe()
{
    return {FactsOnDisk, ProcessUser()};
}

bool FilesHaveOwners()
{
    return CurrentProbe().currentUser != kNoOwner;
}

ScopedFileTrustProbe::ScopedFileTrustProbe(FileTrustProbe probe)
    : m_previous(std::exchange(CurrentProbe(), std::move(probe)))
{}

ScopedFileTrustProbe::~ScopedFileTrustProbe()
{
    CurrentProbe() = std::move(m_previous);
}

FileTrust CheckUserFile(const QString& path)
{
    return Check(path, false, false);
}

FileTrust CheckUserFolder(const QString& path)
{
    return Check(path, true, false);
}

FileTrust CheckProgramFile(const QString& path)
{
    return Check(path, false, true);
}

bool IsTrustedUserFile(const QString& path)
{
    return CheckUserFile(path) == FileTrust::Trusted;
}

QString DistrustText(FileTrust trust)
{
    switch (trust) {
    case FileTrust::SymbolicLink:
        return QStringLiteral("シンボリックリンクです");
    case FileTrust::NotRegular:
        return QStringLiteral("通常のファイルではありません");
    case FileTrust::OtherOwner:
        return QStringLiteral("他のユーザーのファイルです");
    case FileTrust::WritableByOthers:
        return QStringLiteral("他のユーザーも書き込めるファイルです");
    case FileTrust::Missing:
    case FileTrust::Trusted:
        break;
    }
    return {};
}

void ReportIgnoredFile(const QString& path, FileTrust trust)
{
    qCWarning(lcQuorvane, "ignoring %s: %s", qPrintable(QDir::toNativeSeparators(path)),
              DistrustLogText(trust));
}
