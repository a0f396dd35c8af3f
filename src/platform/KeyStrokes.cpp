#include "platform/KeyStrokes.h"

#include <QHash>
#include <QSet>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Processes.h"

// Xlib's headers define macros (None, Bool, Status, KeyPress...) that clash with
// Qt's: they come last.
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "platform/KeyMap.h"
#include "platform/XWindows.h"

using namespace x11;

namespace {

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

// Why the keys stopped when the keyboard stayed held.
QString KeyboardHeldText(KeyboardWatch::Holder holder) {
    if (holder == KeyboardWatch::Holder::Other)
        return QStringLiteral(
            "another program holds the keyboard; the remaining keys were not sent");
    return QStringLiteral(
        "a program holds the keyboard and this display does not say which: another program, or "
        "the started program itself (DOSBox holds it while it has captured the mouse; Ctrl+F10 "
        "releases it); the remaining keys were not sent");
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
        if (const Window top = TopWindow(x, tree)) {
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
            if (!(target = TopWindow(x, tree))) return;
        }
        Settle(x, target);
        BreatheFor(milliseconds(20));
    }
}

// Types keys into the focused window of a process, each key only while that
// window has the focus and no other program holds the keyboard.
class Typist {
  public:
    Typist(const XSession& x, KeyboardWatch& watch, qint64 pid, milliseconds windowWait,
           QString* error)
        : x_(x),
          watch_(watch),
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
    // the process has it and no other program holds the keyboard (nobody, or
    // the process itself: its open menu, or dosbox's captured mouse), then the
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
            KeyboardWatch::Holder holder = KeyboardWatch::Holder::Nobody;
            bool held = false;
            {
                ServerGrab grab(d);
                if (ReadFocus(x_, tree_).holder == Focus::Holder::Program) {
                    holder = watch_.HolderNow(x_, hidden_, tree_);
                    held = holder != KeyboardWatch::Holder::Nobody &&
                           holder != KeyboardWatch::Holder::Program;
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
                SetError(error_, KeyboardHeldText(holder));
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
        SpareKey spare(x_.display(), sym);
        if (!spare.Code()) {
            SetError(error_,
                     QStringLiteral("no free key to type %1").arg(QString::fromUcs4(&c, 1)));
            return false;
        }
        Settle(x_, target);
        Stroke key;
        key.code = spare.Code();
        const bool sent = Send(key);
        if (sent) Settle(x_, target);
        return sent;
    }

    const XSession& x_;
    KeyboardWatch& watch_;
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
                       KeyboardWatch& watch, QString* error) {
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
    Typist typist(x, watch, pid, windowWait, error);
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
