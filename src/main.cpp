#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>

#include "app/ui/frmMain.h"
#include "platform/KeyState.h"

namespace {

// A termination signal closes the main window through its normal unload, so the
// settings are saved. The handler only writes a byte to a socket pair; the
// window closes when the event loop (or any event pumping) reads it.
int signalSockets[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

bool InstallTerminationHandlers() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets) != 0) return false;
    for (int fd : signalSockets) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Drelmont"));
    InstallKeyStateFilter(app);

    frmMain mainWindow;

    // Once the main window has unloaded, every event loop ends, the dialogs' too,
    // and the program returns from main.
    QObject::connect(&mainWindow, &frmMain::unloaded, &app, [] { QCoreApplication::exit(0); });

    QSocketNotifier* notifier = nullptr;
    if (InstallTerminationHandlers()) {
        notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &mainWindow, [&mainWindow] {
            char bytes[16];
            while (::read(signalSockets[1], bytes, sizeof bytes) > 0) {
            }
            // A second signal while the program already closes changes nothing.
            if (!mainWindow.ClosingDown) mainWindow.UnloadOnSignal();
        });
    }

    mainWindow.Form_Load();
    // Closed before start-up was over: there is no event loop to run.
    if (mainWindow.ClosingDown) return 0;
    return app.exec();
}
