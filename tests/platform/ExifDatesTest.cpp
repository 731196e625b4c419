#include "platform/DetailColumns.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

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
