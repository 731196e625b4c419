#include "editor/ExchangeFile.h"

#include "core/CommandError.h"
#include "core/SystemErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr QChar kByteOrderMarkChar(0xFEFF);
// More windows than anyone opens at once; beyond them the command says so.
constexpr int kMaxExchangeNames = 100;

QString unwritableReason(const QString& path, const QString& why)
{
    return QStringLiteral("「%1」を書き込めませんでした。%2。").arg(QDir::toNativeSeparators(path), why) +
           QStringLiteral(
               "設定フォルダの空き容量とアクセス権を確かめてから、もう一度「エディタ」を押してください。");
}

// "ReName.txt" for the first, then "ReName-2.txt", "ReName-3.txt", ...
QString NumberedName(const QString& preferredPath, int number)
{
    if (number == 1)
        return preferredPath;
    const QFileInfo info(preferredPath);
    QString name = info.completeBaseName() + QLatin1Char('-') + QString::number(number);
    if (!info.suffix().isEmpty())
        name += QLatin1Char('.') + info.suffix();
    return QDir::toNativeSeparators(info.dir().filePath(name));
}

} // namespace

QByteArray WriteExchangeFile(const QString& path, const QStringList& names, bool byteOrderMark)
{
    QByteArray bytes;
    if (byteOrderMark || (!names.isEmpty() && names.first().startsWith(kByteOrderMarkChar)))
        bytes += kByteOrderMark;
    for (qsizetype row = 0; row < names.size(); ++row) {
        const QString& name = names.at(row);
        if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r'))) {
            throw CommandError(
                QStringLiteral("上から %1 行目の名前に改行が含まれているため、エディタで編集できません。"
                               "その行をリストから外してから、もう一度「エディタ」を押してください。")
                    .arg(QLocale(QLocale::Japanese).toString(row + 1)));
        }
        bytes += name.toUtf8();
        bytes += "\r\n";
    }

    // The replacement would land wherever the link points.
    const QFileInfo before(path);
    if (before.isSymLink())
        throw CommandError(unwritableReason(path, QStringLiteral("シンボリックリンクです")));
    // Written beside and then put in place, so an editor never sees half a
    // file; a folder that allows no new files still gets the file rewritten.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const bool ok =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
        (before.exists() || file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) &&
        file.commit();
    if (!ok)
        throw CommandError(unwritableReason(path, FileErrorText(file)));
    return bytes;
}

ExchangeText ExchangeLinesFromBytes(const QByteArray& bytes)
{
    // The decoder would drop a leading mark silently; it is dropped here, once.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return {ExchangeText::Status::NotUtf8, {}, FileTrust::Trusted, bytes};
    if (text.startsWith(kByteOrderMarkChar))
        text.remove(0, 1);

    ExchangeText result{ExchangeText::Status::Ok, {}, FileTrust::Trusted, bytes};
    const auto at = [&text](qsizetype i) { return i < text.size() ? text.at(i) : QChar(); };
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        result.lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && at(i + 1) == QLatin1Char('\n'))
            i += 1;
        else if (c == QLatin1Char('\r') && at(i + 1) == QLatin1Char('\r') && at(i + 2) == QLatin1Char('\n'))
            i += 2;
        start = i + 1;
    }
    if (start < text.size())
        result.lines.append(text.mid(start));
    return result;
}

ExchangeText ReadExchangeFile(const QString& path)
{
    // Far above the names of any list; a bigger file is not a save of ours.
    constexpr qint64 kMaxExchangeBytes = qint64(1) << 30;
    const UserFileBytes file = ReadUserFile(path, kMaxExchangeBytes);
    if (file.trust == FileTrust::Missing)
        return {};
    if (file.trust != FileTrust::Trusted)
        return {ExchangeText::Status::Untrusted, {}, file.trust, {}};
    if (!file.read)
        return {};
    return ExchangeLinesFromBytes(file.bytes);
}

std::optional<qint64> ExchangeStamp(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    const QDateTime modified = info.lastModified();
    if (!modified.isValid())
        return std::nullopt;
    return modified.toMSecsSinceEpoch();
}

ExchangeFileClaim::ExchangeFileClaim() = default;

ExchangeFileClaim::~ExchangeFileClaim()
{
    release();
}

void ExchangeFileClaim::claim(const QString& preferredPath)
{
    release();
    // A folder others may write is not used: they could put their own
    // names in place of the user's save.
    const QString folder = QFileInfo(preferredPath).absolutePath();
    if (const FileTrust trust = CheckUserFolder(folder); trust != FileTrust::Trusted)
        throw CommandError(FolderRefusalText(QStringLiteral("設定フォルダ"), folder, trust));
    for (int number = 1; number <= kMaxExchangeNames; ++number) {
        const QString path = NumberedName(preferredPath, number);
        auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
        // Held for as long as the editor is open, which may be long: only a
        // lock whose process has ended counts as stale, never an old one.
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) {
            if (lock->error() == QLockFile::PermissionError && number == 1) {
                // A folder that allows no new files holds no lock either; the
                // file itself may still be rewritten, unguarded, as before.
                m_path = path;
                return;
            }
            if (lock->error() == QLockFile::LockFailedError || lock->error() == QLockFile::NoError)
                continue; // another window's
            throw CommandError(unwritableReason(path, QStringLiteral("ロックを作成できません")));
        }
        const FileTrust trust = CheckUserFile(path);
        if (trust != FileTrust::Missing && trust != FileTrust::Trusted) {
            ReportIgnoredFile(path, trust);
            continue;
        }
        m_lock = std::move(lock);
        m_path = path;
        return;
    }
    throw CommandError(
        QStringLiteral("エディタとやり取りするファイルの名前が %1 通りともほかの Quorvane で使用中のため、"
                       "エディタを起動しませんでした。ほかの Quorvane のエディタを閉じてから、"
                       "もう一度「エディタ」を押してください。")
            .arg(kMaxExchangeNames));
}

void ExchangeFileClaim::release()
{
    if (m_path.isEmpty())
        return;
    QFile::remove(m_path);
    m_path.clear();
    m_lock.reset(); // unlocks and removes the lock file
}
