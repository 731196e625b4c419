#include "core/Paths.h"

#include "core/NameBytes.h"

#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

QString JoinPath(const QString& folder, const QString& name, QChar sep)
{
    if (folder.endsWith(sep))
        return folder + name;
    return folder + sep + name;
}

QString FolderOf(const QString& path, QChar sep)
{
    const qsizetype last = path.lastIndexOf(sep);
    if (last <= 0)
        return {};
    return path.left(last);
}

QString FileNameOf(const QString& path, QChar sep)
{
    const qsizetype last = path.lastIndexOf(sep);
    if (last < 0)
        return path;
    return path.mid(last + 1);
}

QString BaseNameOf(const QString& path, QChar sep)
{
    const QString name = FileNameOf(path, sep);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return path;
    return name.left(dot);
}

QString ExtensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return name.mid(dot + 1);
}

QString ComposedName(const QString& name)
{
    return IsSurelyComposed(name) ? name : name.normalized(QString::NormalizationForm_C);
}

bool IsSurelyComposed(QStringView text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar ch) {
        const char16_t unit = ch.unicode();
        return unit < 0x300                           // Latin, before the combining marks
               || (unit >= 0x3000 && unit <= 0x3029)  // CJK symbols, up to their tone marks
               || (unit >= 0x3030 && unit <= 0x3098)  // hiragana
               || (unit >= 0x309B && unit <= 0x30FF)  // katakana, spacing sound marks
               || (unit >= 0x4E00 && unit <= 0x9FFF)  // kanji
               || (unit >= 0xFF00 && unit <= 0xFFEF); // full-width and half-width forms
    });
}

QString DotExtensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return name.mid(dot);
}

#ifdef Q_OS_UNIX
// The system's answer for the exact bytes of the path, which may not be UTF-8.
namespace {
int KindOf(const QString& path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(EncodeFileName(path).constData(), &info) != 0)
        return 0;
    return S_ISDIR(info.st_mode) ? S_IFDIR : S_IFREG;
}
} // namespace

bool IsExistingFile(const QString& path)
{
    return KindOf(path) == S_IFREG;
}

bool IsExistingFolder(const QString& path)
{
    return KindOf(path) == S_IFDIR;
}
#else
bool IsExistingFile(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

bool IsExistingFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}
#endif
