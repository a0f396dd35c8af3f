#pragma once

// What the X display says about windows and processes, for the keystroke
// service: the connection, the server grab, a window's process and title, who
// has the focus, a process's shown windows, and whether a window has read the
// events sent to it.
//
// Xlib's headers define macros (None, Bool, Status, KeyPress...) that clash with
// Qt's: include this header after every Qt header.

#include <QList>
#include <QSet>
#include <QString>
#include <chrono>
#include <optional>

extern "C" {
#include <xdo.h>
}

namespace x11 {

using Clock = std::chrono::steady_clock;

// Lets this program's windows run while the keys wait for the other program.
void Breathe(std::chrono::milliseconds step = std::chrono::milliseconds(5));
void BreatheFor(std::chrono::milliseconds span);

// X errors on this program's connections are expected (windows may vanish
// between a search and a use) and must not end it (Xlib's default handler
// exits): they are ignored while this lives.
class XErrorsIgnored {
  public:
    XErrorsIgnored();
    ~XErrorsIgnored();
    XErrorsIgnored(const XErrorsIgnored&) = delete;
    XErrorsIgnored& operator=(const XErrorsIgnored&) = delete;

  private:
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

// A connection to the display ($DISPLAY) through libxdo, X errors ignored.
class XSession {
  public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool Open() const { return xdo_ && xdo_->xdpy; }
    xdo_t* xdo() const { return xdo_; }
    Display* display() const { return xdo_->xdpy; }
    Atom Intern(const char* name) const { return XInternAtom(display(), name, False); }

  private:
    xdo_t* xdo_ = nullptr;
    std::optional<XErrorsIgnored> errors_;
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
qint64 WindowPid(const XSession& x, Window window);

// A window's title as the window manager shows it.
QString Title(const XSession& x, Window window);

// Who holds the keyboard focus: a window of the process tree, nobody (no window,
// the root, or a window manager's hidden helper), or another program's window.
struct Focus {
    enum class Holder { Program, Nobody, Other };
    Holder holder = Holder::Nobody;
    Window window = 0;  // the top window (the one carrying _NET_WM_PID), if any
    qint64 pid = 0;     // its process
};

Focus ReadFocus(const XSession& x, const QSet<qint64>& tree);

// The shown windows that belong to the process tree, in stacking order from
// bottom to top.
QList<Window> ShownWindows(const XSession& x, const QSet<qint64>& tree);

// The topmost of them that is not a popup (an override-redirect window: a
// tooltip, a menu, which never take the focus themselves); the topmost popup
// when there is no other; 0 when none is shown.
Window TopWindow(const XSession& x, const QSet<qint64>& tree);

// The connections (by their resource base: a window's id with `baseMask`) that
// made the windows of the process tree, shown or not.
QSet<XID> ClientsOf(const XSession& x, const QSet<qint64>& tree, XID baseMask);

// Whether a window manager runs that activates windows on request.
bool WindowManagerActivates(const XSession& x);

// Sends _NET_WM_PING to the window and waits for its answer: a program answers
// only after it has read every event sent to it before. False when the window
// does not take part or gives no answer by the deadline.
bool Ping(const XSession& x, Window window, Clock::time_point deadline);

// Returns once the window has read every event sent to it so far, or, when it
// gives no answer, after a moment.
void Settle(const XSession& x, Window window);

}  // namespace x11
