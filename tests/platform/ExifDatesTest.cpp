#include "platform/DetailColumns.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <exiv2/exiv2.hpp>

#include <gtest/gtest.h>

namespace {

// A small JPEG made by Qt, its EXIF tags ("key=value;...") written by exiv2.
void WriteJpeg(const QString& path, const QString& tags)
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(path, "JPEG"));
    if (tags.isEmpty())
        return;
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    Exiv2::ExifData exif;
    for (const QString& tag : tags.split(u';'))
        exif["Exif.Photo." + tag.section(u'=', 0, 0).toStdString()] = tag.section(u'=', 1).toStdString();
    image->setExifData(exif);
    image->writeMetadata();
}

// A movie of boxes: "ftyp", then "moov" holding a movie header of the given
// version whose creation time is `seconds` since 1904 (UTC).
QByteArray Movie(char version, quint64 seconds)
{
    const auto box = [](const char* type, const QByteArray& payload) -> QByteArray {
        QByteArray size(4, '\0');
        qToBigEndian(quint32(8 + payload.size()), size.data());
        return size + type + payload;
    };
    const int timeBytes = version == 1 ? 8 : 4;
    QByteArray header(4 + 2 * timeBytes + 4 + timeBytes + 80, '\0');
    header[0] = version;
    for (int at : {4, 4 + timeBytes}) // created, modified
        for (int i = 0; i < timeBytes; ++i)
            header[at + i] = char(seconds >> (8 * (timeBytes - 1 - i)));
    header[4 + 2 * timeBytes + 2] = 0x03; // time scale 1000
    header[4 + 2 * timeBytes + 3] = char(0xe8);
    return box("ftyp", QByteArray("isom\0\0\2\0isommp41", 16)) + box("moov", box("mvhd", header));
}

TEST(DateTaken, ComesFromTheExifDatesOfTheFile)
{
    struct {
        const char *name, *tags, *expected; // expected as ISO 8601 with milliseconds; "" for none
    } const cases[] = {
        {"original", "DateTimeOriginal=2025:08:10 09:05:01;DateTimeDigitized=2025:08:11 00:00:00",
         "2025-08-10T09:05:01.000"},
        {"offset and fraction",
         "DateTimeOriginal=2025:08:10 23:30:05;SubSecTimeOriginal=25;OffsetTimeOriginal=+09:00",
         "2025-08-10T23:30:05.250+09:00"},
        {"malformed falls back", "DateTimeOriginal=0000:00:00 00:00:00;DateTimeDigitized=2024:02:29 01:02:03",
         "2024-02-29T01:02:03.000"},
        {"malformed only", "DateTimeOriginal=2025:13:40 25:00:00", ""},
        {"none", "", ""},
    };
    QTemporaryDir folder;
    TagDetailSource details;
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.name) + QStringLiteral(".jpg");
        WriteJpeg(folder.filePath(name), QString::fromUtf8(c.tags));
        EXPECT_EQ(details.dateTaken(folder.path(), name).toString(Qt::ISODateWithMs),
                  QString::fromUtf8(c.expected))
            << c.name;
    }
    // A movie's header says when it was made (UTC), in 32 or 64 bits; zero
    // means never set, and a header cut short gives no date.
    const quint64 madeAt = 3'837'674'096; // 2025-08-10 12:34:56 UTC
    const std::pair<QByteArray, const char*> movies[] = {{Movie(0, madeAt), "2025-08-10T12:34:56Z"},
                                                         {Movie(1, madeAt), "2025-08-10T12:34:56Z"},
                                                         {Movie(0, 0), ""},
                                                         {Movie(0, madeAt).left(44), ""}};
    for (const auto& [bytes, expected] : movies) {
        WriteBytes(folder.filePath(QStringLiteral("movie.mp4")), bytes);
        EXPECT_EQ(details.dateTaken(folder.path(), QStringLiteral("movie.mp4")).toUTC().toString(Qt::ISODate),
                  QString::fromUtf8(expected));
    }
    // A file that is no picture, or no file at all, records no date.
    WriteBytes(folder.filePath(QStringLiteral("text.jpg")), "\xff\xd8\xff\xe1 not really");
    QFile text(folder.filePath(QStringLiteral("text.jpg")));
    EXPECT_FALSE(details.dateTaken(folder.path(), QStringLiteral("text.jpg")).isValid());
    EXPECT_FALSE(details.dateTaken(folder.path(), QStringLiteral("gone.jpg")).isValid());
    // The modification time is the file system's.
    const QDateTime modified(QDate(2023, 4, 5), QTime(6, 7, 8));
    ASSERT_TRUE(text.open(QIODevice::ReadWrite) &&
                text.setFileTime(modified, QFileDevice::FileModificationTime));
    text.close();
    EXPECT_EQ(details.modificationTime(folder.path(), QStringLiteral("text.jpg")), modified);
    EXPECT_FALSE(details.modificationTime(folder.path(), QStringLiteral("gone.jpg")).isValid());
}

} // namespace
