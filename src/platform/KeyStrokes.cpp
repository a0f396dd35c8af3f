#include "platform/KeyStrokes.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Events.h"
#include "platform/Processes.h"

// Xlib's headers define macros (None, Bool, Status, KeyPress...) that clash with
// Qt's: they come last.
extern "C" {
#include <xdo.h>
}
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Each key is pressed and released inside a server grab (see Typist::Send); the
// pause between keys comes after the grab is let go, so that the other programs
// run meanwhile.
constexpr auto kKeyPause = milliseconds(10);

void SetError(QString* error, const QString& text) {
    if (error) *error = text;
}

QString FocusMovedText() {
    return QStringLiteral(
        "the focus moved to another program's window while the keys were "
        "typed; the remaining keys were not sent");
}

QString KeyboardHeldText() {
    return QStringLiteral("another program holds the keyboard; the remaining keys were not sent");
}

// Lets this program's windows run while the keys wait for the other program.
void Breathe(milliseconds step = milliseconds(5)) {
    DoEvents();
    std::this_thread::sleep_for(step);
}

void BreatheFor(milliseconds span) {
    const Clock::time_point end = Clock::now() + span;
    while (Clock::now() < end) Breathe();
}

// ---- Processes ------------------------------------------------------------

// The process and every process it started, still running.
QSet<qint64> ProcessTree(qint64 root) {
    QHash<qint64, QList<qint64>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        ProcessStat stat;
        if (number && ReadProcessStat(pid, &stat)) children[stat.parent] << pid;
    }
    QSet<qint64> tree{root};
    QList<qint64> open{root};
    while (!open.isEmpty()) {
        for (qint64 child : children.value(open.takeLast()))
            if (!tree.contains(child)) tree.insert(child), open << child;
    }
    return tree;
}

// The processes that have taken keys, by id and start time (an id is reused only
// by a later process). A script is sent in several calls: once a process has
// taken a key, the focus away from it means the script went astray, also when
// it is seen at the start of a later call.
class KeyedProcesses {
  public:
    static bool Contains(qint64 pid) {
        ProcessStat stat;
        std::lock_guard lock(mutex_);
        return ReadProcessStat(pid, &stat) && keyed_.value(pid, -1) == stat.started;
    }
    static void Add(qint64 pid) {
        ProcessStat stat;
        if (!ReadProcessStat(pid, &stat)) return;
        std::lock_guard lock(mutex_);
        keyed_.removeIf(
            [](QHash<qint64, qint64>::iterator entry) { return !ProcessRuns(entry.key()); });
        keyed_.insert(pid, stat.started);
    }

  private:
    static inline std::mutex mutex_;
    static inline QHash<qint64, qint64> keyed_;
};

// ---- The X display --------------------------------------------------------

// Windows may vanish between a search and a use: X errors are expected and must
// not end this program (Xlib's default handler exits).
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

class XSession {
  public:
    XSession() {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) return;
        previous_ = XSetErrorHandler(IgnoreXError);
        handlerSet_ = true;
        xdo_ = xdo_new(nullptr);
        if (xdo_) xdo_->quiet = 1;
    }
    ~XSession() {
        if (xdo_) xdo_free(xdo_);
        if (handlerSet_) XSetErrorHandler(previous_);
    }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool Open() const { return xdo_ && xdo_->xdpy; }
    xdo_t* xdo() const { return xdo_; }
    Display* display() const { return xdo_->xdpy; }
    Atom Intern(const char* name) const { return XInternAtom(display(), name, False); }

  private:
    xdo_t* xdo_ = nullptr;
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
    bool handlerSet_ = false;
};

// Holds the X server for this connection alone: no other program's request
// (a focus change among them) is carried out until it is let go. Let go when
// the scope ends, on every path. Nothing done under it may wait for another
// program.
class ServerGrab {
  public:
    explicit ServerGrab(Display* display) : display_(display) { XGrabServer(display_); }
    ~ServerGrab() {
        XUngrabServer(display_);
        XFlush(display_);
    }
    ServerGrab(const ServerGrab&) = delete;
    ServerGrab& operator=(const ServerGrab&) = delete;

  private:
    Display* display_;
};

// The _NET_WM_PID of a window; 0 when it has none.
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

// A window's title as the window manager shows it.
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

// Who holds the keyboard focus: a window of the process tree, nobody (no window,
// the root, or a window manager's hidden helper), or another program's window.
struct Focus {
    enum class Holder { Program, Nobody, Other };
    Holder holder = Holder::Nobody;
    Window window = 0;  // the top window (the one carrying _NET_WM_PID), if any
    qint64 pid = 0;     // its process
};

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

// Appends the shown windows below `parent` that belong to the process tree, in
// stacking order from bottom to top.
void CollectShownWindows(const XSession& x, Window parent, const QSet<qint64>& tree, int depth,
                         QList<Window>& found) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(x.display(), parent, &root, &up, &children, &count)) return;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(x.display(), children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        const qint64 pid = WindowPid(x, children[i]);
        if (pid != 0) {
            if (tree.contains(pid)) found << children[i];
        } else if (depth > 0) {
            // A window manager's frame: the program's window lies inside.
            CollectShownWindows(x, children[i], tree, depth - 1, found);
        }
    }
    if (children) XFree(children);
}

QList<Window> ShownWindows(const XSession& x, const QSet<qint64>& tree) {
    QList<Window> found;
    CollectShownWindows(x, DefaultRootWindow(x.display()), tree, 2, found);
    return found;
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

// Waits until a window of the process tree has the focus, giving it to the
// topmost shown one when nobody has it, or, with takeFromOthers, when another
// program has it. Returns the focused window, or 0 with *error when none of the
// process has it by the deadline or another program keeps it. `tree` is brought
// up to date.
Window FocusProcessWindow(const XSession& x, qint64 pid, QSet<qint64>& tree,
                          Clock::time_point deadline, bool takeFromOthers, QString* error) {
    Window asked = 0;
    Clock::time_point askedAt;
    for (;;) {
        tree = ProcessTree(pid);
        const Focus focus = ReadFocus(x, tree);
        if (focus.holder == Focus::Holder::Program) return focus.window;
        if (focus.holder == Focus::Holder::Other && !takeFromOthers) {
            SetError(error, FocusMovedText());
            return 0;
        }
        if (!ProcessRuns(pid)) {
            SetError(error, QStringLiteral("the program ended without showing a window"));
            return 0;
        }
        if (Clock::now() >= deadline) {
            SetError(error, QStringLiteral("the program showed no window that could take "
                                           "the keys"));
            return 0;
        }
        const QList<Window> shown = ShownWindows(x, tree);
        if (!shown.isEmpty()) {
            const Window top = shown.last();
            // Asked through the window manager first; directly, and again on each
            // round it is still elsewhere, when there is none or it has not
            // obliged within half a second.
            const bool throughManager = WindowManagerActivates(x);
            if (top != asked) {
                asked = top, askedAt = Clock::now();
                XRaiseWindow(x.display(), top);
                if (throughManager) xdo_activate_window(x.xdo(), top);
            }
            if (!throughManager || Clock::now() - askedAt > milliseconds(500))
                XSetInputFocus(x.display(), top, RevertToParent, CurrentTime);
            XSync(x.display(), False);
        }
        Breathe(milliseconds(20));
    }
}

// Sends _NET_WM_PING to the window and waits for its answer: a program answers
// only after it has read every event sent to it before. False when the window
// does not take part or gives no answer by the deadline.
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

// Returns once the window has read every event sent to it so far, or, when it
// gives no answer, after a moment.
void Settle(const XSession& x, Window window) {
    XSync(x.display(), False);
    if (!Ping(x, window, Clock::now() + std::chrono::seconds(2))) BreatheFor(milliseconds(300));
}

// Returns once the focused window of the process has handled the keys sent so
// far and whatever they made it do: the second round reaches a dialog the keys
// opened.
void WaitUntilTaken(const XSession& x, qint64 pid) {
    for (int round = 0; round < 2; ++round) {
        XSync(x.display(), False);
        const QSet<qint64> tree = ProcessTree(pid);
        const Focus focus = ReadFocus(x, tree);
        Window target = focus.window;
        if (focus.holder != Focus::Holder::Program) {
            // The keys closed the window that had the focus: ask the program's top one.
            const QList<Window> shown = ShownWindows(x, tree);
            if (shown.isEmpty()) return;
            target = shown.last();
        }
        Settle(x, target);
        BreatheFor(milliseconds(20));
    }
}

// The keysym of a character: Latin-1 keysyms are their code points, the others
// Unicode keysyms.
KeySym CharKeysym(char32_t c) {
    if ((c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff)) return c;
    return 0x01000000 | c;
}

// One key as sent: the modifier keys held down around it, in order, and the key.
struct Stroke {
    std::vector<KeyCode> held;
    KeyCode code = 0;  // 0: no key types it
};

// The keyboard's map, read once for a whole sending: which key types a keysym
// in the keyboard's current group (read at each key), and which modifier keys
// its level needs (Shift, the level-3 shift...).
class KeyMap {
  public:
    explicit KeyMap(Display* d)
        : d_(d),
          keyboard_(
              XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask | XkbKeyActionsMask, XkbUseCoreKbd)),
          modifiers_(XGetModifierMapping(d)) {}
    ~KeyMap() {
        if (modifiers_) XFreeModifiermap(modifiers_);
        if (keyboard_) XkbFreeKeyboard(keyboard_, 0, True);
    }
    KeyMap(const KeyMap&) = delete;
    KeyMap& operator=(const KeyMap&) = delete;

    // No key (code 0) when the keysym lies at no level reachable without Lock
    // (which would stay locked) or without a modifier that no key sets.
    Stroke For(KeySym sym) const {
        Stroke stroke;
        XkbStateRec state{};
        if (!keyboard_ || !modifiers_ || XkbGetState(d_, XkbUseCoreKbd, &state) != Success)
            return stroke;
        for (int code = keyboard_->min_key_code; code <= keyboard_->max_key_code && !stroke.code;
             ++code) {
            const int groups = XkbKeyNumGroups(keyboard_, code);
            if (groups == 0) continue;
            const int group = state.group % groups;  // a group out of range wraps
            const XkbKeyTypePtr type = XkbKeyKeyType(keyboard_, code, group);
            for (int level = 0; level < type->num_levels && !stroke.code; ++level) {
                if (XkbKeySymEntry(keyboard_, code, level, group) != sym) continue;
                // Level 0 needs no modifier; the others the first way in to them.
                int mask = level == 0 ? 0 : -1;
                for (int i = 0; i < type->map_count && mask < 0; ++i) {
                    const XkbKTMapEntryRec& entry = type->map[i];
                    if (entry.active && entry.level == level && !(entry.mods.mask & LockMask))
                        mask = entry.mods.mask;
                }
                std::vector<KeyCode> held;
                for (int bit = 0; bit < 8 && mask > 0; ++bit)
                    if (mask & (1 << bit)) held.push_back(ModifierKey(bit));
                if (mask >= 0 && std::find(held.begin(), held.end(), 0) == held.end())
                    stroke.held = held, stroke.code = static_cast<KeyCode>(code);
            }
        }
        return stroke;
    }

  private:
    // The key that sets modifier bit `bit` when pressed alone; 0 when none does.
    KeyCode ModifierKey(int bit) const {
        for (int i = 0; i < modifiers_->max_keypermod; ++i) {
            const KeyCode code = modifiers_->modifiermap[bit * modifiers_->max_keypermod + i];
            const XkbAction* action = code ? XkbKeyActionEntry(keyboard_, code, 0, 0) : nullptr;
            if (action && action->type == XkbSA_SetMods) return code;
        }
        return 0;
    }

    Display* d_;
    XkbDescPtr keyboard_;
    XModifierKeymap* modifiers_;
};

// The process of the popup (an override-redirect window: a menu, a drop-down)
// shown above every other program's window; 0 when a managed window lies on top.
// Shown windows of no process (a compositor's overlay) are passed over.
qint64 TopPopupPid(const XSession& x) {
    Display* d = x.display();
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
    qint64 pid = 0;
    for (unsigned int i = count; i-- > 0;) {  // from the top of the stack down
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(d, children[i], &attributes) ||
            attributes.map_state != IsViewable || attributes.c_class != InputOutput)
            continue;
        if (!attributes.override_redirect || (pid = WindowPid(x, children[i])) != 0) break;
    }
    if (children) XFree(children);
    return pid;
}

// Whether another program holds the keyboard with a grab (an open menu, a
// password prompt, a drag): the server then gives it every key, whatever window
// has the focus. Asked by grabbing the keyboard on a window of this program that
// is never shown: the server answers AlreadyGrabbed (or Frozen) when a program
// holds it, and otherwise refuses the grab as not viewable, so no grab of this
// program becomes active and no window gets the focus events a grab brings. The
// server does not say who holds a grab; the process tree holds one itself while
// its menu is open (its keys then go to the menu, as they should), and such a
// grab comes with the tree's popup shown above every other window.
bool KeyboardHeldElsewhere(const XSession& x, Window hidden, const QSet<qint64>& tree) {
    Display* d = x.display();
    const int result = XGrabKeyboard(d, hidden, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (result == GrabSuccess) XUngrabKeyboard(d, CurrentTime);
    return (result == AlreadyGrabbed || result == GrabFrozen) && !tree.contains(TopPopupPid(x));
}

// Types keys into the focused window of a process, each key only while that
// window has the focus and no other program holds the keyboard.
class Typist {
  public:
    Typist(const XSession& x, qint64 pid, milliseconds windowWait, QString* error)
        : x_(x),
          pid_(pid),
          windowWait_(windowWait),
          deadline_(Clock::now() + windowWait),
          error_(error),
          keyed_(KeyedProcesses::Contains(pid)),
          tree_(ProcessTree(pid)),
          hidden_(XCreateWindow(x.display(), DefaultRootWindow(x.display()), 0, 0, 1, 1, 0,
                                CopyFromParent, InputOnly, CopyFromParent, 0, nullptr)),
          keys_(x.display()) {}
    ~Typist() { XDestroyWindow(x_.display(), hidden_); }
    Typist(const Typist&) = delete;
    Typist& operator=(const Typist&) = delete;

    // Enter, or Alt with a letter: Alt_L is held down around the letter's key.
    bool Press(KeySym sym, bool alt) {
        Stroke stroke = keys_.For(sym);
        const KeyCode altKey = alt ? XKeysymToKeycode(x_.display(), XK_Alt_L) : 0;
        if (!stroke.code || (alt && !altKey)) {
            SetError(error_, QStringLiteral("the keyboard has no key for %1%2")
                                 .arg(alt ? QStringLiteral("Alt+") : QString(),
                                      QString::fromLatin1(XKeysymToString(sym))));
            return false;
        }
        if (alt) stroke.held.insert(stroke.held.begin(), altKey);
        return Send(stroke);
    }

    bool Type(char32_t c) {
        const KeySym sym = CharKeysym(c);
        const Stroke stroke = keys_.For(sym);
        return stroke.code ? Send(stroke) : TypeUnmapped(sym, c);
    }

  private:
    // Sends one key as one step for the X server: with the server held, the
    // focus is checked and the key pressed and released only when a window of
    // the process has it and no other program holds the keyboard, then the
    // server has carried out the key before it is let go. The key's events, its
    // modifiers' included, go out in one flush, so that this program never
    // leaves a key held down in the server, even when it is killed. Before the
    // process has taken a key, the focus is given to it when needed; afterwards,
    // the focus on another program's window ends the keys. A keyboard held by
    // another program is waited for like the focus, then ends the keys.
    bool Send(const Stroke& stroke) {
        Display* d = x_.display();
        const Clock::time_point until = FocusDeadline();
        for (;;) {
            bool held = false;
            {
                ServerGrab grab(d);
                if (ReadFocus(x_, tree_).holder == Focus::Holder::Program) {
                    held = KeyboardHeldElsewhere(x_, hidden_, tree_);
                    if (!held) {
                        for (const KeyCode key : stroke.held) XTestFakeKeyEvent(d, key, True, 0);
                        XTestFakeKeyEvent(d, stroke.code, True, 0);
                        XTestFakeKeyEvent(d, stroke.code, False, 0);
                        for (auto key = stroke.held.rbegin(); key != stroke.held.rend(); ++key)
                            XTestFakeKeyEvent(d, *key, False, 0);
                        XSync(d, False);
                        break;
                    }
                }
            }
            if (!held) {
                if (!FocusProcessWindow(x_, pid_, tree_, until, !keyed_, error_)) return false;
            } else if (Clock::now() < until) {
                Breathe(milliseconds(20));
            } else {
                SetError(error_, KeyboardHeldText());
                return false;
            }
        }
        if (!keyed_) KeyedProcesses::Add(pid_), keyed_ = true;
        std::this_thread::sleep_for(kKeyPause);
        return true;
    }

    // The first key waits for the program's window within the call's bound;
    // later ones wait as long again for the focus to come back from nobody.
    Clock::time_point FocusDeadline() const {
        return keyed_ ? Clock::now() + windowWait_ : deadline_;
    }

    // Types a character the keyboard map lacks: binds it to a free key code, lets
    // the program learn the new map, sends the key, and frees the code only once
    // the program has taken the key (freed earlier, the program may read the key
    // with the old map and lose it). The waits for the program lie outside the
    // key's server grab.
    bool TypeUnmapped(KeySym sym, char32_t c) {
        const Window target = FocusProcessWindow(x_, pid_, tree_, FocusDeadline(), !keyed_, error_);
        if (!target) return false;
        Display* d = x_.display();
        int low = 0, high = 0, per = 0;
        XDisplayKeycodes(d, &low, &high);
        KeySym* map = XGetKeyboardMapping(d, static_cast<KeyCode>(low), high - low + 1, &per);
        int scratch = 0;
        for (int code = high; map && code >= low && !scratch && per > 0; --code) {
            bool unused = true;
            for (int i = 0; i < per && unused; ++i)
                unused = map[(code - low) * per + i] == NoSymbol;
            if (unused) scratch = code;
        }
        if (map) XFree(map);
        if (!scratch) {
            SetError(error_,
                     QStringLiteral("no free key to type %1").arg(QString::fromUcs4(&c, 1)));
            return false;
        }
        std::vector<KeySym> syms(per, NoSymbol);
        std::fill(syms.begin(), syms.begin() + std::min(per, 2), sym);
        XChangeKeyboardMapping(d, scratch, per, syms.data(), 1);
        Settle(x_, target);
        Stroke key;
        key.code = static_cast<KeyCode>(scratch);
        const bool sent = Send(key);
        if (sent) Settle(x_, target);
        std::fill(syms.begin(), syms.end(), NoSymbol);
        XChangeKeyboardMapping(d, scratch, per, syms.data(), 1);
        XSync(d, False);
        return sent;
    }

    const XSession& x_;
    const qint64 pid_;
    const milliseconds windowWait_;
    const Clock::time_point deadline_;
    QString* const error_;
    bool keyed_;
    QSet<qint64> tree_;    // brought up to date when the focus is found elsewhere
    const Window hidden_;  // never shown: asks whether another program holds the keyboard
    const KeyMap keys_;
};

}  // namespace

QString ShownKeys(const KeySequence& keys) {
    QString shown;
    for (const KeyStroke& key : keys) {
        switch (key.kind) {
            case KeyStroke::Kind::Text:
                shown += key.text;
                break;
            case KeyStroke::Kind::Alt:
                shown += QLatin1Char('%') + key.text;
                break;
            case KeyStroke::Kind::Enter:
                shown += QStringLiteral("{enter}");
                break;
        }
    }
    return shown;
}

bool SendKeysToProcess(qint64 pid, const KeySequence& keys, bool wait, milliseconds windowWait,
                       QString* error) {
    XSession x;
    if (!x.Open()) {
        SetError(error, QStringLiteral("there is no X11 display to send keystrokes to"));
        return false;
    }
    int event = 0, xerror = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(x.display(), &event, &xerror, &major, &minor)) {
        SetError(error, QStringLiteral("the X11 display takes no typed keys (no XTEST)"));
        return false;
    }
    if (pid <= 0) {
        SetError(error, QStringLiteral("no program was started to take the keys"));
        return false;
    }
    Typist typist(x, pid, windowWait, error);
    for (const KeyStroke& key : keys) {
        bool sent = true;
        switch (key.kind) {
            case KeyStroke::Kind::Text:
                for (const char32_t c : key.text.toUcs4())
                    if (!(sent = typist.Type(c))) break;
                break;
            case KeyStroke::Kind::Alt:
                sent = typist.Press(CharKeysym(key.text.toLower().toUcs4().value(0)), true);
                break;
            case KeyStroke::Kind::Enter:
                sent = typist.Press(XK_Return, false);
                break;
        }
        if (!sent) return false;
    }
    if (wait) WaitUntilTaken(x, pid);
    return true;
}

bool WaitForWindowTitle(qint64 pid, const QString& ending, milliseconds wait, QString* error) {
    XSession x;
    if (!x.Open()) {
        SetError(error, QStringLiteral("there is no X11 display to find the program's window on"));
        return false;
    }
    const Clock::time_point deadline = Clock::now() + wait;
    const QString wanted = ending.simplified();
    for (;;) {
        QStringList titles;
        for (const Window window : ShownWindows(x, ProcessTree(pid))) {
            titles << Title(x, window).simplified();
            if (titles.last().endsWith(wanted)) return true;
        }
        if (!ProcessRuns(pid)) {
            SetError(error, QStringLiteral("the program ended before it ran"));
            return false;
        }
        if (Clock::now() >= deadline) {
            SetError(error, QStringLiteral("the program's window never showed \"%1\"; its "
                                           "titles: %2")
                                .arg(wanted, titles.join(QStringLiteral(", "))));
            return false;
        }
        Breathe(milliseconds(10));
    }
}
