#include "platform/Sound.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <climits>

#include "platform/ProgramFolder.h"

namespace {

// Longest wait for a sound file to load, and the time allowed past a sound's
// length for the audio system to deliver its last samples.
constexpr qint64 kLoadLimitMs = 2000;
constexpr qint64 kPlayTailMs = 300;

struct SoundState {
    QStringList requests;
    bool outputEnabled = true;
    // The sound that plays now (sync or async); a new sound stops it.
    QPointer<QSoundEffect> current;
};

SoundState& State() {
    static SoundState state;
    return state;
}

quint32 LittleEndian32(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return quint32(b[0]) | (quint32(b[1]) << 8) | (quint32(b[2]) << 16) | (quint32(b[3]) << 24);
}

quint16 LittleEndian16(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return quint16(b[0] | (b[1] << 8));
}

bool AudioOutputAvailable() {
    if (!QCoreApplication::instance()) return false;
    return !QMediaDevices::audioOutputs().isEmpty();
}

void StopCurrent() {
    SoundState& state = State();
    if (state.current) {
        state.current->stop();
        state.current->deleteLater();
        state.current.clear();
    }
}

// The effect goes away by itself once it has played out.
void DeleteWhenPlayedOut(QSoundEffect* effect) {
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying() && effect->status() == QSoundEffect::Ready) effect->deleteLater();
    });
}

// A new sound effect for the file, or null when it can't be played at all. It
// goes away by itself once it has failed, and once it has played out unless the
// caller waits for it and deletes it afterwards.
QSoundEffect* PrepareEffect(const QString& path, qint64* lengthMs, bool deleteWhenPlayed) {
    SoundState& state = State();
    state.requests.append(path);
    if (!state.outputEnabled) return nullptr;
    const QString file = ResolvePath(path);
    const qint64 length = WaveFileDurationMs(file);
    if (length < 0) return nullptr;  // missing, or not a wave file
    if (!AudioOutputAvailable()) return nullptr;
    StopCurrent();  // a later sound replaces the one that plays
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    if (deleteWhenPlayed) DeleteWhenPlayedOut(effect);
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error) effect->deleteLater();
    });
    effect->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    state.current = effect;
    if (lengthMs) *lengthMs = length;
    return effect;
}

}  // namespace

qint64 WaveFileDurationMs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray riff = file.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") return -1;

    quint32 byteRate = 0;
    qint64 dataBytes = -1;
    while (!file.atEnd()) {
        const QByteArray header = file.read(8);
        if (header.size() < 8) break;
        const qint64 size = LittleEndian32(header.constData() + 4);
        const qint64 start = file.pos();
        if (header.startsWith("fmt ")) {
            const QByteArray format = file.read(16);
            if (format.size() < 16 || size < 16) return -1;
            const quint16 channels = LittleEndian16(format.constData() + 2);
            byteRate = LittleEndian32(format.constData() + 8);
            if (channels == 0) return -1;
        } else if (header.startsWith("data")) {
            // A header written while streaming may claim more than the file holds.
            dataBytes = qMin(size, file.size() - start);
            break;
        }
        if (!file.seek(start + size + (size & 1))) break;
    }
    if (byteRate == 0 || dataBytes < 0) return -1;
    return dataBytes * 1000 / byteRate;
}

void PlaySoundSync(const QString& path) {
    qint64 lengthMs = 0;
    QPointer<QSoundEffect> effect = PrepareEffect(path, &lengthMs, false);
    if (!effect) return;

    // Wait, letting events other than user input run, until the sound has ended: when the
    // effect says so, or when its length (from the file's header) has passed
    // since it was ready to play, whichever comes first. The audio system may
    // report the end well after the last sample was heard; the effect plays out
    // on its own. Loading is bounded too, so nothing ever hangs on a sound.
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QElapsedTimer played;
    auto startPlayingClock = [&] {
        if (played.isValid()) return;
        played.start();
        deadline.start(static_cast<int>(qMin<qint64>(lengthMs + kPlayTailMs, INT_MAX)));
    };
    // The audio system may say the sound has ended once its last samples are in
    // its buffer, before they are heard: the wait lasts at least the sound's length.
    auto endOnceHeard = [&] {
        const qint64 left = played.isValid() ? lengthMs - played.elapsed() : 0;
        if (left > 0) {
            deadline.start(static_cast<int>(qMin<qint64>(left, INT_MAX)));
        } else {
            loop.quit();
        }
    };
    QObject::connect(effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (!effect || effect->status() == QSoundEffect::Error) {
            loop.quit();
        } else if (effect->status() == QSoundEffect::Ready) {
            startPlayingClock();
        }
    });
    QObject::connect(effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (effect && !effect->isPlaying()) endOnceHeard();
    });
    QObject::connect(effect, &QObject::destroyed, &loop, &QEventLoop::quit);

    effect->play();
    if (effect->status() == QSoundEffect::Error) return;
    if (effect->status() == QSoundEffect::Ready) {
        startPlayingClock();
    } else {
        deadline.start(static_cast<int>(kLoadLimitMs));
    }
    // The user's clicks and keys wait until the sound has ended: a click during
    // the end-of-test sound must not start another test inside this one. Timers
    // and the program's own events run.
    loop.exec(QEventLoop::ExcludeUserInputEvents);

    // Deleted only now: taking the audio stream down runs events of its own, and
    // inside the wait they would let the user's input through.
    if (!effect) return;
    if (effect->isPlaying()) {
        DeleteWhenPlayedOut(effect);
    } else {
        effect->deleteLater();
    }
}

void PlaySoundAsync(const QString& path) {
    QSoundEffect* effect = PrepareEffect(path, nullptr, true);
    if (!effect) return;
    effect->play();
}

QStringList SoundRequests() {
    return State().requests;
}

void ClearSoundRequests() {
    State().requests.clear();
}

void SetSoundOutputEnabled(bool enabled) {
    State().outputEnabled = enabled;
    if (!enabled) StopCurrent();
}
