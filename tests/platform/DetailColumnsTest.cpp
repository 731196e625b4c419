#include "platform/DetailColumns.h"

#include "core/Paths.h"
#include "ops/PropertyNames.h"
#include "tests/support/NativeForms.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/SampleMedia.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace {

// Writes the file, then its tags unless `title` is nullptr.
void WriteMediaFile(const QString& path, const QByteArray& content, const char* title = nullptr,
                    const char* artist = "", unsigned int track = 0)
{
    WriteBytes(path, content);
    if (!title)
        return;
#ifdef Q_OS_WIN // a narrow path is in the ANSI code page there
    TagLib::FileRef ref(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()));
#else
    const QByteArray encoded = QFile::encodeName(path);
    TagLib::FileRef ref(encoded.constData());
#endif
    ASSERT_FALSE(ref.isNull()) << qPrintable(path);
    ref.tag()->setTitle(TagLib::String(title, TagLib::String::UTF8));
    ref.tag()->setArtist(TagLib::String(artist, TagLib::String::UTF8));
    ref.tag()->setTrack(track);
    ASSERT_TRUE(ref.save()) << qPrintable(path);
}

TEST(TagDetailSource, ReadsTheTagsAndDescribesEveryFile)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const auto path = [&folder](const char* name) { return JoinPath(folder, QString::fromUtf8(name)); };
    WriteMediaFile(path("01 track.mp3"), MinimalMp3(), "Song: A/B?", "Band");
    WriteMediaFile(path("song.mp3"), MinimalMp3(), "", "Solo", 3);
    WriteMediaFile(path("曲.wav"), MinimalWav(), "春の歌", "山田太郎", 12);
    WriteMediaFile(path("untitled.wav"), MinimalWav());
    WriteMediaFile(path("notes.mp3"), QByteArray("plain text, not audio\n"));
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("album")));
    // "title|track|artist|" of each file; an English header names nothing.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"01 track.mp3", "Song: A/B?||Band|"}, {"song.mp3", "|3|Solo|"}, {"曲.wav", "春の歌|12|山田太郎|"},
        {"untitled.wav", "|||"}, {"notes.mp3", "|||"}, {"album", "|||"}, {"vanished.mp3", "|||"}};
    // clang-format on
    TagDetailSource details;
    for (const auto& [file, expected] : cases) {
        QStringList seen;
        for (const QString& header : {TitleHeader(), TrackNumberHeader(), ArtistHeader(), U("Title")})
            seen += details.detailByHeader(folder, U(file), header);
        EXPECT_EQ(seen.join(u'|'), U(expected)) << file;
    }

    const QList<DetailColumn> wav = ReadDetailColumns(path("曲.wav"));
    QStringList seen;
    for (const char* header : {"名前", "項目の種類", "長さ", "ビット レート"})
        seen += DetailValueByHeader(wav, U(header));
    seen += DetailValueByHeader(ReadDetailColumns(path("album")), U("項目の種類"));
    EXPECT_EQ(seen.join(u'|'), U("曲.wav|WAV ファイル|00:00:00|128kbps|ファイル フォルダー"));
    // A vanished file still has every header, so a search behaves the same.
    const QList<DetailColumn> vanished = ReadDetailColumns(path("vanished.mp3"));
    ASSERT_EQ(vanished.size(), wav.size());
    EXPECT_LE(wav.size(), SearchedDetailColumns);
    for (qsizetype i = 0; i < wav.size(); ++i)
        EXPECT_EQ(vanished[i].header + u'=' + vanished[i].value,
                  wav[i].header + u'=' + (i == 0 ? QStringLiteral("vanished.mp3") : QString()));
}

TEST(DetailValueByHeader, SearchesTheFirst41Columns)
{
    QList<DetailColumn> columns;
    for (int i = 0; i < 50; ++i)
        columns.append({QStringLiteral("h%1").arg(i), QStringLiteral("v%1").arg(i)});
    columns[3].header = QStringLiteral("h0"); // a repeated header: the first one counts
    struct {
        const char *header, *expected;
    } const cases[] = {
        {"h0", "v0"}, {"h40", "v40"}, {"h41", ""}, {"H1", ""}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetailValueByHeader(columns, QString::fromUtf8(c.header)), U(c.expected)) << c.header;
}

TEST(CachingDetailSource, ReadsEachFileOnce)
{
    QStringList reads;
    CachingDetailSource details([&reads](const QString& path) {
        reads.append(path);
        return QList<DetailColumn>{{TitleHeader(), FileNameOf(path)}, {ArtistHeader(), QStringLiteral("A")}};
    });
    const auto ask = [&details](const char* folder, const char* name, const QString& header) {
        return details.detailByHeader(NativePath(folder), U(name), header);
    };
    EXPECT_EQ(QStringList({ask("/m", "x.mp3", TitleHeader()), ask("/m/", "x.mp3", ArtistHeader()),
                           ask("/m", "x.mp3", TrackNumberHeader()), ask("/m", "y.mp3", TitleHeader())}),
              QStringList({U("x.mp3"), U("A"), QString(), U("y.mp3")}));
    EXPECT_EQ(reads, QStringList({NativePath("/m/x.mp3"), NativePath("/m/y.mp3")}));
}

} // namespace
