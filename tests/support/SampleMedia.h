#pragma once
// The smallest files of a few kinds that the tag and type readers accept.

#include <QByteArray>

inline QByteArray Le16(quint16 n)
{
    return QByteArray(1, char(n & 0xFF)) + char(n >> 8);
}
inline QByteArray Le32(quint32 n)
{
    return Le16(quint16(n & 0xFFFF)) + Le16(quint16(n >> 16));
}

// Twenty silent MPEG-1 layer III frames, 128 kbit/s at 44.1 kHz.
inline QByteArray MinimalMp3()
{
    QByteArray frame("\xFF\xFB\x90\x64", 4);
    frame.append(QByteArray(417 - 4, '\0'));
    return frame.repeated(20);
}

// Half a second of silent 8 kHz mono PCM.
inline QByteArray MinimalWav()
{
    const QByteArray samples(8000, '\0');
    const QByteArray format = Le16(1) + Le16(1) + Le32(8000) + Le32(16000) + Le16(2) + Le16(16);
    const QByteArray body =
        QByteArray("WAVE") + "fmt " + Le32(format.size()) + format + "data" + Le32(samples.size()) + samples;
    return QByteArray("RIFF") + Le32(body.size()) + body;
}
