#include "platform/MagicTypeDetector.h"

#include "core/CommandError.h"
#include "core/Paths.h"
#include "ops/ExtensionDetection.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/SampleMedia.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

TEST(ExtensionLists, FromMagicAndMimeTypesAreCommaSeparated)
{
    // clang-format off
    struct {
        const char *answer, *expected;
    } const cases[] = {
        {"jpeg/jpg/jpe/jfif", "jpg,jpeg,jpe,jfif"},
        {"vob/evo/mpeg/mpg", "vob,evo,mpg,mpeg"}, // the library's first stays first
        {"hsi/jpg", "hsi,jpg"},                     {"\?\?\?", "?"},
        {"pdf\n", "pdf"},                           {"\?\?\?/bin", "bin"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ExtensionListFromMagic(QString::fromUtf8(c.answer)), U(c.expected)) << c.answer;
    // From a MIME type only specific types name extensions (text types and
    // octet-stream name none: rows of the detection below); the first is shown.
    for (const auto& [mime, first] : {std::pair{"application/zip", "zip"},
                                      {"video/quicktime", "mov"},
                                      {"application/x-no-such-type", "?"}})
        EXPECT_EQ(ExtensionListFromMimeType(U(mime)).section(u',', 0, 0), U(first)) << mime;
}

// A one-page PDF, as short as a PDF gets.
const char kMinimalPdf[] = "%PDF-1.4\n"
                           "1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
                           "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
                           "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >> endobj\n"
                           "trailer << /Root 1 0 R >>\n%%EOF\n";

// Files saved under a known name, then given a wrong or no extension, and
// files whose content no extension fits or that cannot be read.
TEST(MagicTypeDetector, DetectExtensionNamesEveryRow)
{
    QTemporaryDir dir;
    const auto path = [&dir](const char* name) { return JoinPath(dir.path(), QString::fromUtf8(name)); };
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path("photo.txt"), "PNG")); // a wrong extension
    ASSERT_TRUE(image.save(path("picture"), "JPEG"));  // none at all
    WriteBytes(path("report.v1.dat"), kMinimalPdf);
    WriteBytes(path("曲.bin"), MinimalMp3());
    QByteArray noise(4096, '\0');
    QRandomGenerator(20240506).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    WriteBytes(path("blob.png"), noise);
    WriteBytes(path("notes.md"), "name,age\nAnn,30\nBob,41\n"); // libmagic calls this CSV text
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.zip")));
#ifdef Q_OS_UNIX // opening a named pipe for reading would wait for a writer forever
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.pdf")).constData(), 0600), 0);
#endif

    MagicTypeDetector detector;
    ASSERT_TRUE(detector.isAvailable());
    struct {
        const char *name, *expected;
    } const cases[] = {
        {"photo.txt", "photo.png"},
        {"picture", "picture.jpg"},
        {"report.v1.dat", "report.v1.pdf"},
        {"曲.bin", "曲.mp3"},
        {"blob.png", "判別できませんでした"},
        {"notes.md", "判別できませんでした"},
        {"folder.zip", "判別できませんでした"},
        {"vanished.png", "判別できませんでした"},
        {"pipe.pdf", "判別できませんでした"},
    };
    RenameList list;
    for (const auto& c : cases)
        list.append({U(c.name), {}, {}, dir.path(), 0});
    DetectExtension(list, detector);
    for (int row = 0; row < list.count(); ++row)
        EXPECT_EQ(list.at(row).newName, U(cases[row].expected)) << cases[row].name;
}

TEST(MagicTypeDetector, MissingDatabaseMakesItUnavailable)
{
    QTemporaryDir dir;
    MagicTypeDetector missing(JoinPath(dir.path(), QStringLiteral("no-such.mgc")));
    EXPECT_FALSE(missing.isAvailable());
    EXPECT_EQ(missing.extensionsOf(dir.path()), U("?"));
    // Detection then stops before any row, but an empty list has nothing to detect.
    RenameList list;
    list.append({QStringLiteral("a.bin"), QStringLiteral("earlier"), {}, dir.path(), 0});
    EXPECT_THROW(DetectExtension(list, missing), CommandError);
    EXPECT_EQ(list.at(0).newName, QStringLiteral("earlier"));
    RenameList empty;
    EXPECT_NO_THROW(DetectExtension(empty, missing));
}

} // namespace
