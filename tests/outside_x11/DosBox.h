#pragma once

#include <QByteArray>
#include <QDir>
#include <QStandardPaths>
#include <QString>

// What a test of a DOS program under the real dosbox needs besides its private
// display (started with -noreset, so dosbox may leave it and come back while it
// starts): dosbox itself, the DOS stand-in for sixtests.exe assembled with the
// tests, a private HOME for dosbox's configuration, and no sound device.
class DosBox {
  public:
    // Why the test can't run here; empty when it can.
    static QString Missing() {
        if (QStandardPaths::findExecutable(QStringLiteral("dosbox")).isEmpty())
            return QStringLiteral("dosbox is not installed");
        if (StandIn().isEmpty())
            return QStringLiteral("nasm is not installed: there is no DOS stand-in");
        return QString();
    }
    static QString StandIn() {
#ifdef STANDIN_SIXTESTS_DOS
        return QStringLiteral(STANDIN_SIXTESTS_DOS);
#else
        return QString();
#endif
    }

    // dosbox's HOME is the given folder (made here) until the end of the test.
    explicit DosBox(const QString& home) : home_(qgetenv("HOME")) {
        QDir().mkpath(home);
        qputenv("HOME", home.toUtf8());
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    ~DosBox() {
        qputenv("HOME", home_);
        qunsetenv("SDL_AUDIODRIVER");
    }
    DosBox(const DosBox&) = delete;
    DosBox& operator=(const DosBox&) = delete;

  private:
    QByteArray home_;
};
