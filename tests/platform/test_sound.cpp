#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>

#include "common/WaveBytes.h"
#include "platform/Sound.h"

namespace {

class SoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ClearSoundRequests();
        SetSoundOutputEnabled(true);
    }
    void TearDown() override {
        SetSoundOutputEnabled(true);
        ClearSoundRequests();
    }
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.path() + QLatin1Char('/') + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(SoundTest, MissingFileIsSilentImmediateAndRecorded) {
    const QString missing = dir_.path() + "/Sound/Z17.wav";
    QElapsedTimer timer;
    timer.start();
    PlaySoundSync(missing);
    PlaySoundAsync(missing);
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(SoundRequests(), (QStringList{missing, missing}));
}

TEST_F(SoundTest, DisabledOutputRecordsWithoutPlaying) {
    const QString path = Write("long.wav", WaveBytes(3000));
    SetSoundOutputEnabled(false);
    QElapsedTimer timer;
    timer.start();
    PlaySoundSync(path);
    PlaySoundAsync(path);
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(SoundRequests(), (QStringList{path, path}));
    ClearSoundRequests();
    EXPECT_TRUE(SoundRequests().isEmpty());
}

TEST_F(SoundTest, FileThatIsNotAWaveIsSilentAndImmediate) {
    const QString path = Write("noise.wav", QByteArray("this is not a sound file"));
    QElapsedTimer timer;
    timer.start();
    PlaySoundSync(path);
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(SoundRequests(), QStringList{path});
}

TEST_F(SoundTest, SyncWaitsForTheSoundAndAsyncDoesNot) {
    // Where an audio device exists the sync player waits about the sound's
    // length; where none does it returns at once. Either way it never waits far
    // past the sound's own length.
    const bool device = !QMediaDevices::audioOutputs().isEmpty();
    // The test command starts an audio device and says so: then it must be there.
    if (qEnvironmentVariableIntValue("DRELMONT_AUDIO_EXPECTED") == 1) {
        ASSERT_TRUE(device) << "the test command's audio device is missing";
    }
    const QString shortSound = Write("short.wav", WaveBytes(400));
    QElapsedTimer timer;
    timer.start();
    PlaySoundSync(shortSound);
    const qint64 syncMs = timer.elapsed();
    EXPECT_LT(syncMs, 400 + 2500);
    if (device) {
        EXPECT_GE(syncMs, 350);
    }

    const QString longSound = Write("long.wav", WaveBytes(3000));
    timer.restart();
    PlaySoundAsync(longSound);
    EXPECT_LT(timer.elapsed(), 500);
    PlaySoundSync(shortSound);  // replaces the long sound
    EXPECT_LT(timer.elapsed(), 400 + 2500);
    EXPECT_EQ(SoundRequests(), (QStringList{shortSound, longSound, shortSound}));
}

TEST_F(SoundTest, LengthComesFromTheWaveHeader) {
    EXPECT_EQ(WaveFileDurationMs(Write("a.wav", WaveBytes(1500))), 1500);
    EXPECT_EQ(WaveFileDurationMs(Write("b.wav", WaveBytes(250, -1, true))), 250);
    // A header written while streaming claims more data than the file holds.
    EXPECT_EQ(WaveFileDurationMs(Write("c.wav", WaveBytes(500, 0x7FFFF000))), 500);
    EXPECT_EQ(WaveFileDurationMs(Write("d.wav", QByteArray("RIFF\0\0\0\0WAVE", 12))), -1);
    EXPECT_EQ(WaveFileDurationMs(Write("e.wav", QByteArray())), -1);
    EXPECT_EQ(WaveFileDurationMs(dir_.path() + "/none.wav"), -1);
}

}  // namespace
