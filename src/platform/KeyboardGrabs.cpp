#include "platform/KeyboardGrabs.h"

#include <poll.h>

#include <QHash>
#include <chrono>
#include <optional>

// Xlib's headers come last (see XWindows.h).
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>

#include "platform/XWindows.h"

using namespace x11;

namespace {

// The holder of a grab that was held before the watch began.
constexpr XID kHeldBefore = ~XID(0);

// The longest the record may lag behind the server's answer to a question.
constexpr std::chrono::milliseconds kRecordLag{500};

}  // namespace

// Two connections of the watch's own: one to set the recording up, one that
// the server sends what it records to.
struct KeyboardWatch::Record {
    std::optional<XErrorsIgnored> errors;
    Display* control = nullptr;
    Display* data = nullptr;
    XRecordContext context = 0;
    XID baseMask = 0;  // a window's id with it is its connection's resource base
    bool started = false;
    XID holder = kHeldBefore;  // by the record; 0: nobody
    // Per connection, by its resource base: the server's answers to its grabs
    // as recorded, and, for this program's own connections, the questions asked.
    QHash<XID, quint64> answers, asked;
    // The connections found to have made windows of `programTree`: asking the
    // server for every window again under its grab is needed only for a holder
    // not yet known. A connection stays known until it ends (its resource base
    // may then be another program's).
    QSet<qint64> programTree;
    QSet<XID> programClients;

    static void Take(XPointer closure, XRecordInterceptData* intercepted) {
        auto& record = *reinterpret_cast<Record*>(closure);
        const unsigned char* bytes = intercepted->data;
        const XID client = intercepted->id_base;
        switch (intercepted->category) {
            case XRecordStartOfData:
                record.started = true;
                break;
            case XRecordFromServer:  // the answer to a GrabKeyboard
                if (intercepted->data_len > 0 && bytes[0] == X_Reply) {
                    ++record.answers[client];
                    if (bytes[1] == GrabSuccess) record.holder = client;
                }
                break;
            case XRecordFromClient:  // an UngrabKeyboard
                if (record.holder == client) record.holder = 0;
                break;
            case XRecordClientDied:
                if (record.holder == client) record.holder = 0;
                record.programClients.remove(client);
                break;
            default:
                break;
        }
        XRecordFreeData(intercepted);
    }

    // Takes in what the server has recorded so far; with `until` set, waits at
    // most until then for `done`.
    template <typename Done>
    bool Pump(Done done, std::optional<std::chrono::steady_clock::time_point> until) {
        for (;;) {
            XRecordProcessReplies(data);
            if (done()) return true;
            if (!until || std::chrono::steady_clock::now() >= *until) return false;
            pollfd wait{ConnectionNumber(data), POLLIN, 0};
            ::poll(&wait, 1, 5);
        }
    }

    // Every program's grab answers, ungrabs and end, of those connected now and
    // later; false when the display can't record them.
    bool Open() {
        control = XOpenDisplay(nullptr);
        data = XOpenDisplay(nullptr);
        int major = 0, minor = 0;
        if (!control || !data || !XRecordQueryVersion(control, &major, &minor)) return false;
        XRecordRange* range = XRecordAllocRange();
        if (!range) return false;
        range->core_requests.first = range->core_requests.last = X_UngrabKeyboard;
        range->core_replies.first = range->core_replies.last = X_GrabKeyboard;
        range->client_died = True;
        XRecordClientSpec clients = XRecordAllClients;
        context = XRecordCreateContext(control, 0, &clients, 1, &range, 1);
        XFree(range);
        XSync(control, False);
        if (!context ||
            !XRecordEnableContextAsync(data, context, Take, reinterpret_cast<XPointer>(this)))
            return false;
        XFlush(data);
        baseMask = XRecordIdBaseMask(control);
        // The recording runs once the server says so: a program started after
        // this has all its grabs recorded.
        return Pump([this] { return started; }, std::chrono::steady_clock::now() + kRecordLag * 4);
    }

    void Close() {
        if (context) {
            XRecordDisableContext(control, context);
            XRecordFreeContext(control, context);
            XSync(control, False);
        }
        if (data) XCloseDisplay(data);
        if (control) XCloseDisplay(control);
        context = 0, data = control = nullptr;
    }
};

KeyboardWatch::KeyboardWatch() : record_(std::make_unique<Record>()) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return;
    record_->errors.emplace();
    if (!record_->Open()) record_->Close();
}

KeyboardWatch::~KeyboardWatch() {
    record_->Close();
}

bool KeyboardWatch::Watching() const {
    return record_->context != 0;
}

// The server is asked by grabbing the keyboard on a window that is never shown:
// it answers AlreadyGrabbed when a program holds the keyboard, and otherwise
// refuses the grab as not viewable, so no grab of this program becomes active
// and no window gets the focus events a grab brings. The question is recorded
// like any grab: once the record holds its answer, it holds every grab the
// server carried out before it.
KeyboardWatch::Holder KeyboardWatch::HolderNow(const XSession& x, unsigned long hidden,
                                               const QSet<qint64>& tree) {
    Display* d = x.display();
    Record& r = *record_;
    const XID own = hidden & r.baseMask;
    const int result = XGrabKeyboard(d, hidden, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (result == GrabSuccess) XUngrabKeyboard(d, CurrentTime);
    const bool held = result == AlreadyGrabbed || result == GrabFrozen;
    if (!Watching()) return held ? Holder::Unknown : Holder::Nobody;
    ++r.asked[own];
    const auto answered = [&] { return r.answers.value(own) >= r.asked.value(own); };
    if (!held) {
        r.Pump(answered, std::nullopt);
        return Holder::Nobody;
    }
    if (!r.Pump(answered, std::chrono::steady_clock::now() + kRecordLag)) return Holder::Unknown;
    // Held while the record says nobody: a grab it does not see (a key's grab,
    // or a pointer grab that holds the keyboard back).
    if (r.holder == 0) return Holder::Unknown;
    if (r.holder == kHeldBefore) return Holder::Other;
    if (r.programTree != tree) r.programTree = tree, r.programClients.clear();
    if (!r.programClients.contains(r.holder)) {
        if (!ClientsOf(x, tree, r.baseMask).contains(r.holder)) return Holder::Other;
        r.programClients.insert(r.holder);
    }
    return Holder::Program;
}
