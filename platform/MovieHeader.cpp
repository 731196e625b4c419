#include "platform/MovieHeader.h"

#include <QIODevice>
#include <QtEndian>

namespace {

struct Box {
    QByteArray type;
    qint64 payload = 0; // where its contents start
    qint64 end = 0;
};

// The box at `at`, which must end by `limit`; nothing when the bytes there
// are no box.
std::optional<Box> BoxAt(QIODevice& movie, qint64 at, qint64 limit)
{
    if (!movie.seek(at))
        return {};
    const QByteArray head = movie.read(16);
    if (head.size() < 8)
        return {};
    Box box{head.mid(4, 4), at + 8, 0};
    quint64 size = qFromBigEndian<quint32>(head.constData());
    if (size == 1) { // the size follows as 64 bits
        if (head.size() < 16)
            return {};
        size = qFromBigEndian<quint64>(head.constData() + 8);
        box.payload += 8;
    } else if (size == 0) { // to the end of what holds it
        size = static_cast<quint64>(limit - at);
    }
    if (size < static_cast<quint64>(box.payload - at) || size > static_cast<quint64>(limit - at))
        return {};
    box.end = at + static_cast<qint64>(size);
    return box;
}

// The first box of `type` among those from `from` to `limit`. Top-level
// boxes of a movie are few; a file of thousands of boxes is no movie.
std::optional<Box> FindBox(QIODevice& movie, const char* type, qint64 from, qint64 limit)
{
    for (int looked = 0; from < limit && looked < 1000; ++looked) {
        const std::optional<Box> box = BoxAt(movie, from, limit);
        if (!box)
            return {};
        if (box->type == type)
            return box;
        from = box->end;
    }
    return {};
}

} // namespace

QDateTime ReadMovieCreationTime(QIODevice& movie)
{
    const qint64 size = movie.size();
    const std::optional<Box> first = BoxAt(movie, 0, size);
    static const QByteArrayList movieBoxes{"ftyp", "moov", "mdat", "wide", "free", "skip"};
    if (!first || !movieBoxes.contains(first->type))
        return {};
    const std::optional<Box> moov = FindBox(movie, "moov", 0, size);
    const std::optional<Box> header = moov ? FindBox(movie, "mvhd", moov->payload, moov->end) : std::nullopt;
    if (!header || !movie.seek(header->payload))
        return {};
    const QByteArray fields = movie.read(std::min<qint64>(12, header->end - header->payload));
    if (fields.size() < 8)
        return {};
    // Version 1 keeps its times in 64 bits, version 0 in 32, after the
    // version byte and three bytes of flags.
    quint64 seconds = 0;
    if (fields.at(0) == 1 && fields.size() == 12)
        seconds = qFromBigEndian<quint64>(fields.constData() + 4);
    else if (fields.at(0) == 0)
        seconds = qFromBigEndian<quint32>(fields.constData() + 4);
    // Zero is "never set"; beyond the year 9999 is no time a camera keeps.
    if (seconds == 0 || seconds > 300'000'000'000ULL)
        return {};
    static const QDateTime epoch(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC);
    return epoch.addSecs(static_cast<qint64>(seconds)).toLocalTime();
}
