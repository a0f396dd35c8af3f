#include "platform/KeyState.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QPointer>
#include <array>

namespace {

// The jog keys: virtual-key code and the Qt key that sets it.
struct KeySlot {
    int virtualKey;
    int qtKey;
    bool down = false;
    bool pressedSinceQuery = false;
};

std::array<KeySlot, 4>& Keys() {
    static std::array<KeySlot, 4> keys{
        {{VK_I, Qt::Key_I}, {VK_J, Qt::Key_J}, {VK_K, Qt::Key_K}, {VK_M, Qt::Key_M}}};
    return keys;
}

KeySlot* SlotByVirtualKey(int virtualKey) {
    for (KeySlot& slot : Keys()) {
        if (slot.virtualKey == virtualKey) return &slot;
    }
    return nullptr;
}

KeySlot* SlotByQtKey(int qtKey) {
    for (KeySlot& slot : Keys()) {
        if (slot.qtKey == qtKey) return &slot;
    }
    return nullptr;
}

void ReleaseAll() {
    for (KeySlot& slot : Keys()) {
        slot.down = false;
        slot.pressedSinceQuery = false;
    }
}

// True while the focus is on a control that takes typed text (a line or text
// edit that is not read-only, a spin box, an editable combo box): such controls
// accept input-method text and are not read-only, whatever their class.
bool FocusTakesTypedText() {
    QObject* focus = QGuiApplication::focusObject();
    if (!focus) return false;
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImReadOnly);
    QCoreApplication::sendEvent(focus, &query);
    return query.value(Qt::ImEnabled).toBool() && !query.value(Qt::ImReadOnly).toBool();
}

// The letters are text, or a menu or shortcut key, rather than jog keys: while
// Alt or Ctrl is held, or while a control that takes typed text has the focus.
bool KeysAreText(const QKeyEvent& key) {
    return (key.modifiers() & (Qt::AltModifier | Qt::ControlModifier)) || FocusTakesTypedText();
}

// Watches every key event of the application. A key event travels up the parent
// chain, so the filter may see one press several times: the state is made of
// flags, which a repeated sighting leaves as they are.
class KeyStateFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease: {
                const auto* key = static_cast<QKeyEvent*>(event);
                const bool press = event->type() == QEvent::KeyPress;
                if (press && (key->key() == Qt::Key_Alt || key->key() == Qt::Key_Control)) {
                    // A held jog key stops counting once Alt or Ctrl goes down.
                    ReleaseAll();
                } else if (KeySlot* slot = SlotByQtKey(key->key())) {
                    if (press && KeysAreText(*key)) {
                        slot->down = false;
                    } else if (press) {
                        if (!key->isAutoRepeat()) slot->pressedSinceQuery = true;
                        slot->down = true;
                    } else if (!key->isAutoRepeat()) {
                        slot->down = false;
                    }
                }
                break;
            }
            case QEvent::FocusIn:
                // A held jog key stops counting when typing begins.
                if (FocusTakesTypedText()) ReleaseAll();
                break;
            case QEvent::ApplicationStateChange: {
                // Keystrokes meant for another program must never move the motors.
                const auto* change = static_cast<QApplicationStateChangeEvent*>(event);
                if (change->applicationState() != Qt::ApplicationActive) ReleaseAll();
                break;
            }
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }
};

QPointer<KeyStateFilter>& InstalledFilter() {
    static QPointer<KeyStateFilter> filter;
    return filter;
}

}  // namespace

short GetAsyncKeyState(int virtualKey) {
    // The first query installs the filter, when start-up has not done it.
    if (!InstalledFilter()) {
        if (QCoreApplication* app = QCoreApplication::instance()) InstallKeyStateFilter(*app);
    }
    KeySlot* slot = SlotByVirtualKey(virtualKey);
    if (!slot) return 0;
    // Most significant bit: down now; least significant bit: pressed since the
    // last query of this key.
    unsigned result = (slot->down ? 0x8000u : 0u) | (slot->pressedSinceQuery ? 1u : 0u);
    slot->pressedSinceQuery = false;
    return static_cast<short>(result);
}

void InstallKeyStateFilter(QCoreApplication& app) {
    QPointer<KeyStateFilter>& filter = InstalledFilter();
    if (filter && filter->parent() == &app) return;
    filter = new KeyStateFilter(&app);
    app.installEventFilter(filter);
}

void SetKeyStateForTests(int virtualKey, bool down) {
    KeySlot* slot = SlotByVirtualKey(virtualKey);
    if (!slot) return;
    if (down && !slot->down) slot->pressedSinceQuery = true;
    slot->down = down;
}

void ResetKeyState() {
    ReleaseAll();
}
