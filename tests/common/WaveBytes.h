#pragma once

#include <QByteArray>
#include <QtEndian>

// The bytes of a PCM wave file of the given length: 8 kHz, 16-bit mono, silence.
// claimedData, when not negative, is the data size the header claims;
// extraChunk puts an odd-sized chunk before the format chunk.
inline QByteArray WaveBytes(int milliseconds, qint64 claimedData = -1, bool extraChunk = false) {
    const quint32 rate = 8000;
    const quint32 byteRate = rate * 2;
    const quint32 data = byteRate * milliseconds / 1000;
    QByteArray bytes;
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        bytes.append(b, 2);
    };
    bytes.append("RIFF");
    u32(0);
    bytes.append("WAVE");
    if (extraChunk) {  // an odd-sized chunk before the format, padded to even
        bytes.append("LIST");
        u32(3);
        bytes.append("abc");
        bytes.append('\0');
    }
    bytes.append("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(byteRate);
    u16(2);
    u16(16);
    bytes.append("data");
    u32(claimedData >= 0 ? quint32(claimedData) : data);
    bytes.append(QByteArray(int(data), '\0'));
    qToLittleEndian(quint32(bytes.size() - 8), bytes.data() + 4);
    return bytes;
}
