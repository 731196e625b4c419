#pragma once
// The date a picture was taken, from the metadata libexiv2 reads (JPEG,
// TIFF, PNG, WebP, HEIC and the raw formats), or a movie was made.

#include <QDateTime>
#include <QString>

// EXIF DateTimeOriginal, else DateTimeDigitized, with the sub-second and
// offset tags that go with it: the camera's clock time, with its offset from
// UTC where recorded, else as local time. Invalid when the file records
// neither date, records one that is not a real time ("0000:00:00 00:00:00")
// or cannot be read. A QuickTime-family movie (MP4, MOV) without EXIF gives
// the creation time in its movie header, as local time.
[[nodiscard]] QDateTime ReadDateTaken(const QString& path);

// "YYYY:MM:DD HH:MM:SS" with optional sub-second digits ("25" is 0.25 s) and
// offset ("+09:00"); invalid when the text is not such a time. Pure.
[[nodiscard]] QDateTime ExifDateTime(const QString& text, const QString& subSeconds, const QString& offset);
