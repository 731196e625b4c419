#include "platform/DetailColumns.h"

#include "core/NameBytes.h"
#include "core/Paths.h"
#include "ops/PropertyNames.h"
#include "platform/ExifDates.h"
#include "platform/ReadOpen.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

#include <utility>

namespace {

QString FromTagLib(const TagLib::String& text)
{
    return QString::fromStdString(text.to8Bit(true));
}

QString NumberOrEmpty(unsigned int number)
{
    return number == 0 ? QString() : QString::number(number);
}

QString DateText(const QDateTime& time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy/MM/dd H:mm")) : QString();
}

QString SizeText(const QFileInfo& info)
{
    if (!info.isFile())
        return {};
    return QLocale(QLocale::Japanese, QLocale::Japan)
        .formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
}

QString TypeText(const QFileInfo& info)
{
    if (info.isDir())
        return QStringLiteral("ファイル フォルダー");
    const QString extension = ExtensionOf(info.fileName());
    if (extension.isEmpty())
        return QStringLiteral("ファイル");
    return extension.toUpper() + QStringLiteral(" ファイル");
}

QString AttributeText(const QFileInfo& info)
{
    QString letters;
    if (!info.isWritable())
        letters += QLatin1Char('R');
    if (info.fileName().startsWith(QLatin1Char('.')))
        letters += QLatin1Char('H');
    if (info.isDir())
        letters += QLatin1Char('D');
    return letters;
}

QString LengthText(int seconds)
{
    const auto two = [](int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); };
    return two(seconds / 3600) + QLatin1Char(':') + two(seconds / 60 % 60) + QLatin1Char(':') +
           two(seconds % 60);
}

struct MediaValues {
    QString title, artist, album, albumArtist, composer, genre, year, track, length, bitrate, comment;
};

QString PropertyText(const TagLib::PropertyMap& properties, const char* key)
{
    const auto found = properties.find(key);
    return found == properties.end() ? QString() : FromTagLib(found->second.toString("; "));
}

MediaValues ReadMedia(const QString& path)
{
#ifdef Q_OS_WIN
    const TagLib::FileRef file(reinterpret_cast<const wchar_t*>(path.utf16()));
#else
    const QByteArray encoded = EncodeFileName(path);
    const TagLib::FileRef file(encoded.constData());
#endif
    MediaValues values;
    if (file.isNull())
        return values;
    if (const TagLib::Tag* tag = file.tag()) {
        values.title = FromTagLib(tag->title());
        values.artist = FromTagLib(tag->artist());
        values.album = FromTagLib(tag->album());
        values.genre = FromTagLib(tag->genre());
        values.comment = FromTagLib(tag->comment());
        values.year = NumberOrEmpty(tag->year());
        values.track = NumberOrEmpty(tag->track());
        const TagLib::PropertyMap properties = file.file()->properties();
        values.albumArtist = PropertyText(properties, "ALBUMARTIST");
        values.composer = PropertyText(properties, "COMPOSER");
    }
    if (const TagLib::AudioProperties* audio = file.audioProperties()) {
        values.length = LengthText(audio->lengthInSeconds());
        if (audio->bitrate() > 0)
            values.bitrate = QString::number(audio->bitrate()) + QStringLiteral("kbps");
    }
    return values;
}

} // namespace

QList<DetailColumn> ReadDetailColumns(const QString& path)
{
    const QFileInfo info(path);
    const bool exists = info.exists();
    // Only regular files are handed to the tag reader: a folder has no tags
    // and opening a named pipe would wait for a writer.
    const MediaValues media = IsRegularFile(path) ? ReadMedia(path) : MediaValues{};
    const auto fileValue = [exists](QString value) { return exists ? std::move(value) : QString(); };
    return {
        {QStringLiteral("名前"), FileNameOf(path)},
        {QStringLiteral("サイズ"), fileValue(SizeText(info))},
        {QStringLiteral("項目の種類"), fileValue(TypeText(info))},
        {QStringLiteral("更新日時"), fileValue(DateText(info.lastModified()))},
        {QStringLiteral("作成日時"), fileValue(DateText(info.birthTime()))},
        {QStringLiteral("アクセス日時"), fileValue(DateText(info.lastRead()))},
        {QStringLiteral("属性"), fileValue(AttributeText(info))},
        {QStringLiteral("所有者"), fileValue(info.owner())},
        {TitleHeader(), media.title},
        {ArtistHeader(), media.artist},
        {QStringLiteral("アルバム"), media.album},
        {QStringLiteral("アルバムのアーティスト"), media.albumArtist},
        {QStringLiteral("作曲者"), media.composer},
        {QStringLiteral("ジャンル"), media.genre},
        {QStringLiteral("年"), media.year},
        {TrackNumberHeader(), media.track},
        {QStringLiteral("長さ"), media.length},
        {QStringLiteral("ビット レート"), media.bitrate},
        {QStringLiteral("コメント"), media.comment},
    };
}

QString DetailValueByHeader(const QList<DetailColumn>& columns, const QString& header)
{
    const qsizetype searched = qMin<qsizetype>(columns.size(), SearchedDetailColumns);
    for (qsizetype i = 0; i < searched; ++i) {
        if (columns.at(i).header == header)
            return columns.at(i).value;
    }
    return {};
}

QString TagDetailSource::detailByHeader(const QString& folder, const QString& fileName, const QString& header)
{
    return DetailValueByHeader(ReadDetailColumns(JoinPath(folder, fileName)), header);
}

QDateTime TagDetailSource::dateTaken(const QString& folder, const QString& fileName)
{
    return ReadDateTaken(JoinPath(folder, fileName));
}

CachingDetailSource::CachingDetailSource(Reader reader)
    : m_reader(std::move(reader))
{}

QString CachingDetailSource::detailByHeader(const QString& folder, const QString& fileName,
                                            const QString& header)
{
    const QString path = JoinPath(folder, fileName);
    auto found = m_columns.constFind(path);
    if (found == m_columns.constEnd())
        found = m_columns.insert(path, m_reader(path));
    return DetailValueByHeader(*found, header);
}
