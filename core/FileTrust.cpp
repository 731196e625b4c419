#include "core/FileTrust.h"

#include "core/Log.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

FileTrustProbe& CurrentProbe()
{
    static FileTrustProbe probe = SystemFileTrustProbe();
    return probe;
}

FileTrust Judge(const FileFacts& facts, bool wantFolder, bool rootMayOwn)
{
    const FileTrustProbe& probe = CurrentProbe();
    if (!facts.exists)
        return FileTrust::Missing;
    if (facts.symbolicLink)
        return FileTrust::SymbolicLink;
    if (wantFolder ? !facts.folder : !facts.regularFile)
        return FileTrust::NotRegular;
    // Where files have no owners, only what others may write is told.
    if (probe.currentUser != kNoOwner && facts.owner != probe.currentUser &&
        !(rootMayOwn && facts.owner == kRootUser))
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

FileTrust Check(const QString& path, bool wantFolder, bool rootMayOwn)
{
    return Judge(CurrentProbe().factsOf(path, nullptr, 0), wantFolder, rootMayOwn);
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

UserFileBytes ReadUserFile(const QString& path, qint64 maxBytes)
{
    UserFileBytes result;
    QByteArray bytes;
    const FileFacts facts = CurrentProbe().factsOf(path, &bytes, maxBytes);
    result.trust = Judge(facts, false, false);
    if (result.trust == FileTrust::Trusted && facts.read) {
        result.read = true;
        result.bytes = std::move(bytes);
    }
    return result;
}

FileTrust CheckProgramFile(const QString& path)
{
    const FileTrust file = Check(path, false, true);
    if (file != FileTrust::Trusted)
        return file;
    const FileTrust folder = Check(QFileInfo(path).absolutePath(), true, true);
    return folder == FileTrust::Trusted ? file : folder;
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
        return QStringLiteral("ほかのユーザーのファイルです");
    case FileTrust::WritableByOthers:
        return QStringLiteral("ほかのユーザーも書き込めるファイルです");
    case FileTrust::Missing:
    case FileTrust::Trusted:
        break;
    }
    return {};
}

QString DistrustRemedyText(FileTrust trust, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (trust) {
    case FileTrust::SymbolicLink:
    case FileTrust::NotRegular:
    case FileTrust::OtherOwner:
        return QStringLiteral("「%1」を削除するか、自分のファイルに置き換えてください。").arg(shown);
    case FileTrust::WritableByOthers:
        return QStringLiteral("「%1 600 %2」を実行して、自分だけが書き込めるようにしてください。")
            .arg(QStringLiteral("chmod"), shown);
    case FileTrust::Missing:
    case FileTrust::Trusted:
        break;
    }
    return {};
}

QString FolderRefusalText(const QString& role, const QString& folder, FileTrust trust)
{
    const QString shown = QDir::toNativeSeparators(folder);
    switch (trust) {
    case FileTrust::OtherOwner:
        return QStringLiteral("%1「%2」はほかのユーザーのフォルダのため使いません。"
                              "自分のフォルダを環境変数 %3 で指定してください。")
            .arg(role, shown, QStringLiteral("QUORVANE_CONFIG_DIR"));
    case FileTrust::WritableByOthers:
#ifdef Q_OS_WIN
        return QStringLiteral(
                   "%1「%2」はほかのユーザーも書き込めるため使いません。フォルダのプロパティの"
                   "「セキュリティ」タブで、ほかのユーザーとグループの書き込みの許可を外してください。")
            .arg(role, shown);
#else
        return QStringLiteral("%1「%2」はほかのユーザーも書き込めるため使いません。"
                              "「%3 700 %2」を実行して、自分だけが書き込めるようにしてください。")
            .arg(role, shown, QStringLiteral("chmod"));
#endif
    case FileTrust::Missing:
        return QStringLiteral("%1「%2」を作成できませんでした。親フォルダの書き込み権限を確かめてください。")
            .arg(role, shown);
    case FileTrust::SymbolicLink:
    case FileTrust::NotRegular:
        return QStringLiteral("%1「%2」はフォルダではないか、シンボリックリンクのため使いません。"
                              "削除するか名前を変えてから、もう一度起動してください。")
            .arg(role, shown);
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
