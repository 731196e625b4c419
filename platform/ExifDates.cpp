#include "platform/ExifDates.h"

#include "core/NameBytes.h"
#include "platform/MovieHeader.h"
#include "platform/ReadOpen.h"

#include <QFile>
#include <QRegularExpression>

#include <exiv2/exiv2.hpp>

#include <mutex>
#include <stdexcept>

namespace {

QString TagText(const Exiv2::ExifData& exif, const QByteArray& key)
{
    try {
        const auto found = exif.findKey(Exiv2::ExifKey(key.toStdString()));
        return found == exif.end() ? QString() : QString::fromStdString(found->toString()).trimmed();
    } catch (const std::exception&) {
        return {}; // a key this exiv2 does not know
    }
}

} // namespace

QDateTime ExifDateTime(const QString& text, const QString& subSeconds, const QString& offset)
{
    static const QRegularExpression form(
        QStringLiteral("^(\\d{4}):(\\d\\d):(\\d\\d)[ T](\\d\\d):(\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch parts = form.match(text);
    if (!parts.hasMatch())
        return {};
    const auto number = [&](int part) { return parts.capturedView(part).toInt(); };
    const QDate date(number(1), number(2), number(3));
    // Fractions beyond milliseconds are dropped.
    static const QRegularExpression digits(QStringLiteral("^\\d{1,9}$"));
    const int milliseconds =
        digits.match(subSeconds).hasMatch() ? QString(subSeconds + QStringLiteral("00")).left(3).toInt() : 0;
    const QTime time(number(4), number(5), number(6), milliseconds);
    if (!date.isValid() || !time.isValid())
        return {};
    static const QRegularExpression zone(QStringLiteral("^([+-])(\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch offsetParts = zone.match(offset);
    if (!offsetParts.hasMatch())
        return QDateTime(date, time);
    const int seconds = (offsetParts.capturedView(2).toInt() * 60 + offsetParts.capturedView(3).toInt()) * 60;
    return QDateTime(date, time, Qt::OffsetFromUTC, offsetParts.capturedView(1) == u"-" ? -seconds : seconds);
}

QDateTime ReadDateTaken(const QString& path)
{
    static std::once_flag setUp;
    std::call_once(setUp, [] {
        // A damaged file is an answer ("no date taken"), not a message on stderr.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        // HEIC and CR3 are read only when asked for; the XMP parser must be
        // set up once before threads use it.
        Exiv2::enableBMFF(true);
        Exiv2::XmpParser::initialize();
    });
    try {
#ifdef Q_OS_WIN
        // Exiv2 takes a path in the ANSI code page here, which cannot name
        // every file: the file is mapped and handed over as bytes.
        QFile file(path);
        const uchar* bytes =
            file.open(QIODevice::ReadOnly) && file.size() > 0 ? file.map(0, file.size()) : nullptr;
        if (!bytes)
            throw std::runtime_error("unreadable");
        auto image = Exiv2::ImageFactory::open(bytes, static_cast<long>(file.size()));
#else
        auto image = Exiv2::ImageFactory::open(EncodeFileName(path).toStdString());
#endif
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        for (const char* kind : {"Original", "Digitized"}) {
            const QByteArray photo = QByteArrayLiteral("Exif.Photo.");
            const QDateTime taken = ExifDateTime(TagText(exif, photo + "DateTime" + kind),
                                                 TagText(exif, photo + "SubSecTime" + kind),
                                                 TagText(exif, photo + "OffsetTime" + kind));
            if (taken.isValid())
                return taken;
        }
    } catch (const std::exception&) {
        // Not an image exiv2 knows, or not readable: no date taken.
    }
    // exiv2 takes an MP4 for a HEIF picture once HEIC is on, and cannot read
    // the 64-bit form of the movie header, so the movie is read here.
    QFile movie;
    return OpenRegularFile(movie, path) ? ReadMovieCreationTime(movie) : QDateTime();
}
