#include "platform/MagicTypeDetector.h"

#include "core/Paths.h"
#include "ops/ExtensionDetection.h"
#include "tests/support/SampleMedia.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// Compared as std::string so that a failure prints the text.
std::string Text(const QString& text)
{
    return text.toStdString();
}

TEST(ExtensionListFromMagic, GivesCommaSeparatedLists)
{
    struct {
        const char* answer;
        const char* expected;
    } const cases[] = {
        {"jpeg/jpg/jpe/jfif", "jpg,jpeg,jpe,jfif"},
        {"vob/evo/mpeg/mpg", "vob,evo,mpg,mpeg"}, // the library's first stays first
        {"hsi/jpg", "hsi,jpg"},
        {"\?\?\?", "?"},
        {"pdf\n", "pdf"},
        {"\?\?\?/bin", "bin"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(ExtensionListFromMagic(QString::fromUtf8(c.answer))), c.expected) << c.answer;
}

TEST(ExtensionListFromMimeType, NamesOnlySpecificTypes)
{
    struct {
        const char* mime;
        const char* first; // first extension of the answer
    } const cases[] = {
        {"application/zip", "zip"},
        {"audio/mpeg", "mp3"},
        {"video/quicktime", "mov"},
        {"application/x-zip-compressed", "zip"}, // an alias
        {"application/octet-stream", "?"},
        {"application/json", "json"},
        {"text/plain", "?"},
        {"text/csv", "?"}, // a guess from commas in the wording
        {"application/x-no-such-type", "?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(ExtensionListFromMimeType(QString::fromUtf8(c.mime)).section(QLatin1Char(','), 0, 0)),
                  c.first)
            << c.mime;
}

// A one-page PDF, as short as a PDF gets.
const char kMinimalPdf[] = "%PDF-1.4\n"
                           "1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
                           "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
                           "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >> endobj\n"
                           "trailer << /Root 1 0 R >>\n%%EOF\n";

QByteArray Noise()
{
    QRandomGenerator random(20240506);
    QByteArray bytes(4096, '\0');
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

class TypedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        // Saved under a known name, then given a wrong or no extension.
        ASSERT_TRUE(image.save(path("p.png"), "PNG"));
        ASSERT_TRUE(QFile::rename(path("p.png"), path("photo.txt")));
        ASSERT_TRUE(image.save(path("j.jpg"), "JPEG"));
        ASSERT_TRUE(QFile::rename(path("j.jpg"), path("picture")));
        write("report.v1.dat", kMinimalPdf);
        write("曲.bin", MinimalMp3());
        write("blob.png", Noise());
        write("notes.md", "name,age\nAnn,30\nBob,41\n"); // libmagic calls this CSV text
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.zip")));
    }

    void write(const char* name, const QByteArray& content) { WriteBytes(path(name), content); }
    QString folder() const { return m_dir.path(); }
    QString path(const char* name) const { return JoinPath(m_dir.path(), QString::fromUtf8(name)); }

private:
    QTemporaryDir m_dir;
};

TEST_F(TypedFiles, DetectExtensionNamesEveryRow)
{
    MagicTypeDetector detector;
    ASSERT_TRUE(detector.isAvailable());
    struct {
        const char* name;
        const char* expected;
    } const cases[] = {
        {"photo.txt", "photo.png"},
        {"picture", "picture.jpg"},
        {"report.v1.dat", "report.v1.pdf"},
        {"曲.bin", "曲.mp3"},
        {"blob.png", "判別できませんでした"},
        {"notes.md", "判別できませんでした"},
        {"folder.zip", "判別できませんでした"},
        {"vanished.png", "判別できませんでした"},
    };
    RenameList list;
    for (const auto& c : cases)
        list.append({U(c.name), {}, {}, folder(), 0});
    DetectExtension(list, detector);
    for (int row = 0; row < list.count(); ++row)
        EXPECT_EQ(Text(list.at(row).newName), cases[row].expected) << cases[row].name;
}

#ifdef Q_OS_UNIX
TEST_F(TypedFiles, NamedPipeIsNotOpened)
{
    const QByteArray pipe = QFile::encodeName(path("pipe.pdf"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    MagicTypeDetector detector;
    // Opening the pipe for reading would wait for a writer forever.
    EXPECT_EQ(Text(detector.extensionsOf(path("pipe.pdf"))), "?");
}

TEST_F(TypedFiles, UnreadableFileGivesUnknown)
{
    ASSERT_TRUE(QFile::setPermissions(path("report.v1.dat"), QFileDevice::WriteOwner));
    QFile probe(path("report.v1.dat"));
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "permissions do not stop this user from reading";
    MagicTypeDetector detector;
    EXPECT_EQ(Text(detector.extensionsOf(path("report.v1.dat"))), "?");
}
#endif

TEST(MagicTypeDetector, MissingDatabaseMakesItUnavailable)
{
    QTemporaryDir dir;
    MagicTypeDetector missing(JoinPath(dir.path(), QStringLiteral("no-such.mgc")));
    EXPECT_FALSE(missing.isAvailable());
    EXPECT_EQ(missing.version(), 0);
    EXPECT_EQ(Text(missing.extensionsOf(dir.path())), "?");

    MagicTypeDetector loaded;
    EXPECT_TRUE(loaded.isAvailable());
    EXPECT_GE(loaded.version(), 500); // 5.00 and later know MAGIC_EXTENSION
}

} // namespace
