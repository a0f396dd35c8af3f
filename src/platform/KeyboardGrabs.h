#pragma once

#include <QSet>
#include <QtGlobal>
#include <memory>

namespace x11 {
class XSession;
}

// Who holds the keyboard with a grab (an open menu, a password prompt, a
// program that has captured the mouse): the server then gives that program
// every key, whatever window has the focus. The X server does not say who holds
// a grab; its RECORD extension reports every program's grab requests, the
// server's answers and a program's end, each with the program's connection, so
// the watch knows the holder of every grab made after it began. A grab already
// held then counts as another program's.
class KeyboardWatch {
  public:
    // Watches the display ($DISPLAY) from now on, until it is destroyed.
    KeyboardWatch();
    ~KeyboardWatch();
    KeyboardWatch(const KeyboardWatch&) = delete;
    KeyboardWatch& operator=(const KeyboardWatch&) = delete;

    // False when there is no display or it has no RECORD extension: every grab
    // is then of a program unknown.
    bool Watching() const;

    enum class Holder {
        Nobody,   // no grab
        Program,  // a connection of the process tree's windows
        Other,    // another program, or a grab from before the watch
        Unknown,  // held, and the watch can't say by whom
    };
    // Who holds the keyboard now, asked on the connection that will send the
    // keys, which holds the server meanwhile (so no grab comes or goes between
    // the answer and the keys). `hidden` is a window of that connection that is
    // never shown; `tree` the processes whose windows count as the program's.
    Holder HolderNow(const x11::XSession& x, unsigned long hidden, const QSet<qint64>& tree);

  private:
    struct Record;
    std::unique_ptr<Record> record_;
};
