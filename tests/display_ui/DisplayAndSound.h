#pragma once

// Tests that need what a user has: a real display (an X server, Xvfb in the test
// command) that delivers input through the window system, and an audio device (a
// private PulseAudio server with a null sink in the test command).

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QWidget>

#include "common/WaveBytes.h"

namespace display {

// The test command sets this when it has started an audio device for the tests;
// a test that needs the device then fails when there is none, instead of
// passing without having played anything.
inline bool AudioExpected() {
    return qEnvironmentVariableIntValue("DRELMONT_AUDIO_EXPECTED") == 1;
}

inline bool HaveAudioDevice() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

// A silent PCM wave file of the given length: 8 kHz, 16-bit mono.
inline bool WriteWave(const QString& path, int milliseconds) {
    const QByteArray bytes = WaveBytes(milliseconds);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A real click of the first mouse button on the widget's centre, made by the X
// server (XTEST), so it reaches the program as the user's input does.
inline bool XClick(const QWidget* widget) {
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    return QProcess::execute(
               QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                QStringLiteral("click"), QStringLiteral("1")}) == 0;
}

// A real key press and release (XTEST) into the widget's window, which gets the
// X input focus first.
inline bool XKey(const QWidget* widget, const QString& key) {
    return QProcess::execute(
               QStringLiteral("xdotool"),
               {QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                QString::number(widget->window()->winId()), QStringLiteral("key"), key}) == 0;
}

}  // namespace display

// Skips a test that needs an audio device where none is, unless the test
// command said that one must be there: then it fails.
#define REQUIRE_AUDIO_DEVICE()                                                                    \
    do {                                                                                          \
        if (!display::HaveAudioDevice()) {                                                        \
            if (display::AudioExpected()) FAIL() << "the test command's audio device is missing"; \
            GTEST_SKIP() << "no audio device";                                                    \
        }                                                                                         \
    } while (false)

#define REQUIRE_DISPLAY()                                                               \
    do {                                                                                \
        if (QGuiApplication::platformName() != QLatin1String("xcb"))                    \
            FAIL() << "these tests need an X display (QT_QPA_PLATFORM=xcb under Xvfb)"; \
    } while (false)
