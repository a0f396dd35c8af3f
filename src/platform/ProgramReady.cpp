#include "platform/ProgramReady.h"

#include <QFile>
#include <QStringList>
#include <thread>

#include "platform/Events.h"

// Xlib's headers define macros (None, Bool, Status...) that clash with Qt's:
// they come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

void SetError(QString* error, const QString& text) {
    if (error) *error = text;
}

// Windows may vanish between a query and a use: such errors are expected.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

bool ProcessRuns(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');  // "pid (name) S ..."
    return close >= 0 && close + 2 < line.size() && line[close + 2] != 'Z' &&
           line[close + 2] != 'X';
}

// Xlib hands 32-bit items over as longs.
size_t ItemSize(int format) {
    return format == 32 ? sizeof(long) : format == 16 ? sizeof(short) : 1;
}

QByteArray Property(Display* d, Window w, Atom name, Atom type) {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    QByteArray value;
    if (XGetWindowProperty(d, w, name, 0, 1024, False, type, &actual, &format, &count, &after,
                           &data) == Success &&
        data && actual == type)
        value = QByteArray(reinterpret_cast<const char*>(data),
                           static_cast<qsizetype>(count * ItemSize(format)));
    if (data) XFree(data);
    return value;
}

qint64 WindowPid(Display* d, Window w) {
    const QByteArray value = Property(d, w, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL);
    return value.size() >= static_cast<qsizetype>(sizeof(unsigned long))
               ? static_cast<qint64>(*reinterpret_cast<const unsigned long*>(value.constData()))
               : 0;
}

QString Title(Display* d, Window w) {
    const QByteArray utf8 =
        Property(d, w, XInternAtom(d, "_NET_WM_NAME", False), XInternAtom(d, "UTF8_STRING", False));
    if (!utf8.isEmpty()) return QString::fromUtf8(utf8);
    return QString::fromLatin1(Property(d, w, XA_WM_NAME, XA_STRING));
}

// The titles of the shown windows of the process, looking into window
// managers' frames.
void CollectTitles(Display* d, Window parent, qint64 pid, int depth, QStringList& titles) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, parent, &root, &up, &children, &count)) return;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(d, children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        const qint64 owner = WindowPid(d, children[i]);
        if (owner == pid)
            titles << Title(d, children[i]).simplified();
        else if (owner == 0 && depth > 0)
            CollectTitles(d, children[i], pid, depth - 1, titles);
    }
    if (children) XFree(children);
}

}  // namespace

bool WaitForWindowTitle(qint64 pid, const QString& ending, std::chrono::milliseconds wait,
                        QString* error) {
    const Clock::time_point deadline = Clock::now() + wait;
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        SetError(error, QStringLiteral("there is no X11 display to find the program's window on"));
        return false;
    }
    auto* previous = XSetErrorHandler(IgnoreXError);
    const QString wanted = ending.simplified();
    bool found = false;
    while (!found) {
        QStringList titles;
        CollectTitles(d, DefaultRootWindow(d), pid, 2, titles);
        for (const QString& title : titles) found = found || title.endsWith(wanted);
        if (found) break;
        if (!ProcessRuns(pid)) {
            SetError(error, QStringLiteral("the program ended before it ran"));
            break;
        }
        if (Clock::now() >= deadline) {
            SetError(error, QStringLiteral("the program's window never showed \"%1\"; its "
                                           "titles: %2")
                                .arg(wanted, titles.join(QStringLiteral(", "))));
            break;
        }
        DoEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    XSetErrorHandler(previous);
    XCloseDisplay(d);
    return found;
}
