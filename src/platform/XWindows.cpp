#include <QByteArray>
#include <thread>

#include "platform/Events.h"

// Xlib's headers come last (see XWindows.h).
#include <X11/Xatom.h>

#include "platform/XWindows.h"

namespace x11 {

using std::chrono::milliseconds;

namespace {

// Windows may vanish between a search and a use: X errors are expected and must
// not end this program (Xlib's default handler exits).
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

void Breathe(milliseconds step) {
    DoEvents();
    std::this_thread::sleep_for(step);
}

void BreatheFor(milliseconds span) {
    const Clock::time_point end = Clock::now() + span;
    while (Clock::now() < end) Breathe();
}

XErrorsIgnored::XErrorsIgnored() : previous_(XSetErrorHandler(IgnoreXError)) {}

XErrorsIgnored::~XErrorsIgnored() {
    XSetErrorHandler(previous_);
}

XSession::XSession() {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return;
    errors_.emplace();
    xdo_ = xdo_new(nullptr);
    if (xdo_) xdo_->quiet = 1;
}

XSession::~XSession() {
    if (xdo_) xdo_free(xdo_);
}

qint64 WindowPid(const XSession& x, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    qint64 pid = 0;
    if (XGetWindowProperty(x.display(), window, x.Intern("_NET_WM_PID"), 0, 1, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success &&
        data && format == 32 && count == 1)
        pid = static_cast<qint64>(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

QString Title(const XSession& x, Window window) {
    auto read = [&](Atom name, Atom type) {
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        QByteArray text;
        if (XGetWindowProperty(x.display(), window, name, 0, 1024, False, type, &actual, &format,
                               &count, &after, &data) == Success &&
            data && actual == type && format == 8)
            text = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
        if (data) XFree(data);
        return text;
    };
    const QByteArray utf8 = read(x.Intern("_NET_WM_NAME"), x.Intern("UTF8_STRING"));
    if (!utf8.isEmpty()) return QString::fromUtf8(utf8);
    return QString::fromLatin1(read(XA_WM_NAME, XA_STRING));
}

Focus ReadFocus(const XSession& x, const QSet<qint64>& tree) {
    Display* d = x.display();
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    Focus seen;
    if (focus == None || focus == PointerRoot || focus == DefaultRootWindow(d)) return seen;
    for (Window w = focus;;) {
        if ((seen.pid = WindowPid(x, w)) != 0) {
            seen.window = w;
            seen.holder = tree.contains(seen.pid) ? Focus::Holder::Program : Focus::Holder::Other;
            return seen;
        }
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(d, w, &root, &parent, &children, &count)) break;
        if (children) XFree(children);
        if (parent == root || parent == 0) break;
        w = parent;
    }
    // A window of no known program: a shown one belongs to a program all the
    // same; an input-only or override-redirect one is a window manager's place
    // for the focus when no window has it.
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(d, focus, &attributes) && attributes.c_class == InputOutput &&
        !attributes.override_redirect)
        seen.holder = Focus::Holder::Other;
    return seen;
}

namespace {

// Appends the windows below `parent` that belong to the process tree (with
// `shownOnly`, the shown ones), in stacking order from bottom to top.
void CollectWindows(const XSession& x, Window parent, const QSet<qint64>& tree, bool shownOnly,
                    int depth, QList<Window>& found) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(x.display(), parent, &root, &up, &children, &count)) return;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(x.display(), children[i], &attributes) ||
            (shownOnly && attributes.map_state != IsViewable))
            continue;
        const qint64 pid = WindowPid(x, children[i]);
        if (pid != 0) {
            if (tree.contains(pid)) found << children[i];
        } else if (depth > 0) {
            // A window manager's frame: the program's window lies inside.
            CollectWindows(x, children[i], tree, shownOnly, depth - 1, found);
        }
    }
    if (children) XFree(children);
}

}  // namespace

QList<Window> ShownWindows(const XSession& x, const QSet<qint64>& tree) {
    QList<Window> found;
    CollectWindows(x, DefaultRootWindow(x.display()), tree, true, 2, found);
    return found;
}

Window TopWindow(const XSession& x, const QSet<qint64>& tree) {
    const QList<Window> shown = ShownWindows(x, tree);
    for (auto window = shown.rbegin(); window != shown.rend(); ++window) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(x.display(), *window, &attributes) &&
            !attributes.override_redirect)
            return *window;
    }
    return shown.isEmpty() ? 0 : shown.last();
}

QSet<XID> ClientsOf(const XSession& x, const QSet<qint64>& tree, XID baseMask) {
    QList<Window> windows;
    CollectWindows(x, DefaultRootWindow(x.display()), tree, false, 2, windows);
    QSet<XID> clients;
    for (const Window window : windows) clients.insert(window & baseMask);
    return clients;
}

bool WindowManagerActivates(const XSession& x) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool supported = false;
    if (XGetWindowProperty(x.display(), DefaultRootWindow(x.display()), x.Intern("_NET_SUPPORTED"),
                           0, 4096, False, XA_ATOM, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32) {
        const Atom active = x.Intern("_NET_ACTIVE_WINDOW");
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !supported; ++i) supported = atoms[i] == active;
    }
    if (data) XFree(data);
    return supported;
}

bool Ping(const XSession& x, Window window, Clock::time_point deadline) {
    Display* d = x.display();
    const Atom ping = x.Intern("_NET_WM_PING");
    Atom* listed = nullptr;
    int count = 0;
    bool takesPart = false;
    if (XGetWMProtocols(d, window, &listed, &count)) {
        for (int i = 0; i < count && !takesPart; ++i) takesPart = listed[i] == ping;
        XFree(listed);
    }
    if (!takesPart) return false;
    const Window root = DefaultRootWindow(d);
    // The answer goes to the root window, with one of these masks (toolkits differ).
    XSelectInput(d, root, StructureNotifyMask | SubstructureNotifyMask);
    static long serial = 1;
    const long stamp = ++serial;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = x.Intern("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(d, window, False, NoEventMask, &event);
    XFlush(d);
    while (Clock::now() < deadline) {
        while (XPending(d)) {
            XEvent answer;
            XNextEvent(d, &answer);
            if (answer.type == ClientMessage && answer.xclient.window == root &&
                static_cast<Atom>(answer.xclient.data.l[0]) == ping &&
                answer.xclient.data.l[1] == stamp)
                return true;
        }
        Breathe(milliseconds(2));
    }
    return false;
}

void Settle(const XSession& x, Window window) {
    XSync(x.display(), False);
    if (!Ping(x, window, Clock::now() + std::chrono::seconds(2))) BreatheFor(milliseconds(300));
}

}  // namespace x11
