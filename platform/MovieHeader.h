#pragma once
// When a QuickTime-family movie (MP4, MOV, 3GP: the videos of phones and
// cameras) was made, from its movie header.

#include <QDateTime>

class QIODevice;

// The creation time of the movie header ("moov" then "mvhd"), which the
// format keeps as seconds since 1904-01-01 UTC, as local time. Invalid when
// the device holds no such movie, the header is cut short or the time was
// never set (zero).
[[nodiscard]] QDateTime ReadMovieCreationTime(QIODevice& movie);
