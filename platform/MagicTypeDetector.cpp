#include "platform/MagicTypeDetector.h"

#include "platform/ReadOpen.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStringList>

#include <magic.h>

namespace {

const QString kUnknown = QStringLiteral("?");

// Types whose MIME name says nothing about an extension: unknown data, empty
// files, folders, and text, which libmagic classifies by wording (notes with
// commas come out as CSV) and for which it names no extension itself.
bool IsTooVagueToName(const QString& mimeType)
{
    return mimeType.isEmpty() || mimeType == QLatin1String("application/octet-stream") ||
           mimeType == QLatin1String("application/x-empty") || mimeType.startsWith(QLatin1String("inode/")) ||
           mimeType.startsWith(QLatin1String("text/"));
}

// Where a type has several spellings of one extension, the one most users
// expect, ahead of the spellings it stands for. Any other order is kept, so
// the first extension stays the library's choice.
struct PreferredSpelling {
    QLatin1String preferred;
    std::initializer_list<QLatin1String> over;
};
const PreferredSpelling kPreferredSpellings[] = {
    {QLatin1String("jpg"), {QLatin1String("jpeg"), QLatin1String("jpe"), QLatin1String("jfif")}},
    {QLatin1String("tif"), {QLatin1String("tiff")}},
    {QLatin1String("mpg"), {QLatin1String("mpeg"), QLatin1String("mpe")}},
    {QLatin1String("mov"), {QLatin1String("qt"), QLatin1String("moov"), QLatin1String("qtvr")}},
    {QLatin1String("ogg"), {QLatin1String("oga")}},
    {QLatin1String("mid"), {QLatin1String("midi")}},
};

QString JoinedWithPreferredFirst(QStringList extensions)
{
    for (const PreferredSpelling& spelling : kPreferredSpellings) {
        const qsizetype preferred = extensions.indexOf(spelling.preferred);
        if (preferred < 0)
            continue;
        qsizetype first = preferred;
        for (const QLatin1String other : spelling.over) {
            const qsizetype at = extensions.indexOf(other);
            if (at >= 0 && at < first)
                first = at;
        }
        extensions.move(preferred, first);
    }
    return extensions.isEmpty() ? kUnknown : extensions.join(QLatin1Char(','));
}

} // namespace

QString ExtensionListFromMagic(const QString& answer)
{
    QStringList extensions;
    for (const QString& part : answer.trimmed().split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part != QLatin1String("???"))
            extensions.append(part);
    }
    return JoinedWithPreferredFirst(extensions);
}

QString ExtensionListFromMimeType(const QString& mimeType)
{
    if (IsTooVagueToName(mimeType))
        return kUnknown;
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType);
    if (!type.isValid())
        return kUnknown;
    QStringList extensions;
    if (!type.preferredSuffix().isEmpty())
        extensions.append(type.preferredSuffix());
    for (const QString& suffix : type.suffixes()) {
        if (!extensions.contains(suffix))
            extensions.append(suffix);
    }
    return JoinedWithPreferredFirst(extensions);
}

MagicTypeDetector::MagicTypeDetector(const QString& databasePath)
    : m_magic(magic_open(MAGIC_EXTENSION))
{
    if (!m_magic)
        return;
#ifdef Q_OS_WIN
    // The compiled database ships beside the executable; libmagic's own
    // search would look in the user's profile first.
    const QString path = databasePath.isEmpty() && QCoreApplication::instance()
                             ? QCoreApplication::applicationDirPath() + QStringLiteral("/magic.mgc")
                             : databasePath;
#else
    const QString& path = databasePath;
#endif
    const QByteArray database = QFile::encodeName(path);
    if (magic_load(m_magic, path.isEmpty() ? nullptr : database.constData()) != 0) {
        magic_close(m_magic);
        m_magic = nullptr;
    }
}

MagicTypeDetector::~MagicTypeDetector()
{
    if (m_magic)
        magic_close(m_magic);
}

bool MagicTypeDetector::isAvailable() const
{
    return m_magic != nullptr;
}

int MagicTypeDetector::version() const
{
    return m_magic ? magic_version() : 0;
}

QString MagicTypeDetector::extensionsOf(const QString& path)
{
    if (!m_magic)
        return kUnknown;
    // The file is opened here rather than by path inside the library so that
    // any name the platform can open reaches it faithfully.
    QFile file;
    if (!OpenRegularFile(file, path))
        return kUnknown;
    const QString extensions = ExtensionListFromMagic(ask(file.handle(), MAGIC_EXTENSION));
    if (extensions != kUnknown)
        return extensions;
    // libmagic names no extension for some types it knows well (zip, mp3):
    // fall back to the extensions of the MIME type it reports.
    file.seek(0);
    return ExtensionListFromMimeType(ask(file.handle(), MAGIC_MIME_TYPE));
}

QString MagicTypeDetector::ask(int descriptor, int flags)
{
    if (descriptor < 0 || magic_setflags(m_magic, flags) != 0)
        return {};
    const char* answer = magic_descriptor(m_magic, descriptor);
    return answer ? QString::fromUtf8(answer) : QString();
}
