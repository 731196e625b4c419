#include "platform/ReadOpen.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include "core/NameBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool IsRegularFile(const QString& path)
{
    struct stat info {};
    return ::stat(EncodeFileName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool OpenRegularFile(QFile& file, const QString& path)
{
    // Non-blocking, so that a pipe is refused below rather than waited for.
    const int fd = ::open(EncodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
#else
bool IsRegularFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

bool OpenRegularFile(QFile& file, const QString& path)
{
    if (!IsRegularFile(path))
        return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}
#endif
