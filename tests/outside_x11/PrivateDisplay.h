#pragma once

// A private X server for the tests that drive other programs' windows: Xvfb on
// a display number it picks itself, so tests run side by side and need no
// display of their own. DISPLAY points at it while the tests run.

#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <QProcess>
#include <csignal>

class PrivateDisplay : public ::testing::Environment {
  public:
    void SetUp() override {
        server_.setProgram(QStringLiteral("Xvfb"));
        // -displayfd 1: the server writes the number it chose to its standard output.
        // -noreset: the server keeps running when its last client leaves, so a
        // program that closes its connection and opens another while it starts
        // (dosbox does) never meets a server in the middle of its reset.
        server_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                              QStringLiteral("-screen"), QStringLiteral("0"),
                              QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                              QStringLiteral("tcp"), QStringLiteral("-noreset")});
        server_.setProcessChannelMode(QProcess::SeparateChannels);
        // The server ends with the tests, even when they crash.
        server_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        server_.start();
        ASSERT_TRUE(server_.waitForStarted(10000)) << "Xvfb is not installed";
        QByteArray number;
        while (!number.contains('\n') && server_.waitForReadyRead(10000))
            number += server_.readAllStandardOutput();
        number = number.trimmed();
        ASSERT_FALSE(number.isEmpty())
            << "Xvfb did not start: " << server_.readAllStandardError().toStdString();
        qputenv("DISPLAY", ":" + number);
    }
    void TearDown() override {
        qunsetenv("DISPLAY");
        server_.terminate();
        if (!server_.waitForFinished(5000)) server_.kill(), server_.waitForFinished(5000);
    }

  private:
    QProcess server_;
};

// Whether a program holds the keyboard of the display with a grab: the server
// refuses another grab then.
bool KeyboardHeld();
