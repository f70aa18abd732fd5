// Qt's headers come before Xlib's, whose macros (Bool, Status, None) would break them.
#include <QSocketNotifier>

#include "platform/x11/x11_keys.h"

#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace tinctora::platform::x11 {

X11Keys::X11Keys(Connection& connection, Source preferred) : connection_(connection) {
    keys_[HotKey::F2].keysym = XK_F2;
    keys_[HotKey::F3].keysym = XK_F3;
    keys_[HotKey::F4].keysym = XK_F4;
    keys_[HotKey::F6].keysym = XK_F6;
    lookUpKeycodes();
    if (preferred == Source::RawEventsAndKeymap && selectRawKeyEvents())
        source_ = Source::RawEventsAndKeymap;
    connection_.onEvent([this](XEvent& event) { handle(event); });
}

bool X11Keys::selectRawKeyEvents() {
    Display* display = connection_.display();
    int firstEvent = 0;
    int firstError = 0;
    if (!XQueryExtension(display, "XInputExtension", &inputOpcode_, &firstEvent, &firstError))
        return false;
    // 2.1 and later deliver raw events to the root even while another client grabs the keyboard.
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2)
        return false;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask{};
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof bits;
    mask.mask = bits;
    const unsigned long errorsBefore = connection_.errors().count();
    XISelectEvents(display, connection_.root(), &mask, 1);
    XSync(display, False); // a refusal arrives as an error, not as a reply
    return connection_.errors().count() == errorsBefore;
}

void X11Keys::lookUpKeycodes() {
    for (HotKey hotKey : kHotKeys)
        keys_[hotKey].keycode = XKeysymToKeycode(connection_.display(), keys_[hotKey].keysym);
}

void X11Keys::handle(XEvent& event) {
    if (event.type == MappingNotify) {
        // Another client changed which key sends one of the hot keys.
        XRefreshKeyboardMapping(&event.xmapping);
        lookUpKeycodes();
        return;
    }
    XGenericEventCookie& cookie = event.xcookie;
    if (cookie.type != GenericEvent || cookie.extension != inputOpcode_ ||
        (cookie.evtype != XI_RawKeyPress && cookie.evtype != XI_RawKeyRelease))
        return;
    if (!XGetEventData(connection_.display(), &cookie))
        return;
    const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
    const bool down = cookie.evtype == XI_RawKeyPress;
    for (HotKey hotKey : kHotKeys) {
        Tracked& key = keys_[hotKey];
        if (key.keycode == 0 || raw->detail != key.keycode)
            continue;
        if (down)
            key.pressedSincePrevious = true;
        if (listener_) {
            heard_.push_back({hotKey, down});
            deliverLater();
        }
    }
    XFreeEventData(connection_.display(), &cookie);
}

X11Keys::~X11Keys() = default;

X11Keys::Delivery X11Keys::delivery() const {
    return source_ == Source::RawEventsAndKeymap ? Delivery::Events : Delivery::Polling;
}

void X11Keys::listen(std::function<void(const KeyBatch&)> listener) {
    listener_ = std::move(listener);
    heard_.clear();
    deliveryQueued_ = false;
    if (!listener_ || source_ != Source::RawEventsAndKeymap) {
        wakeUp_.reset();
        return;
    }
    if (wakeUp_)
        return;
    wakeUp_ = std::make_unique<QSocketNotifier>(ConnectionNumber(connection_.display()),
                                                QSocketNotifier::Read);
    QObject::connect(wakeUp_.get(), &QSocketNotifier::activated, wakeUp_.get(),
                     [this] { connection_.drainEvents(); });
    // Whatever Xlib has read so far would not wake the notifier.
    connection_.drainEvents();
}

void X11Keys::deliverLater() {
    // Events drained while the pointer or the screen is read are handed over only after that
    // read, from the event loop, so that a freeze never lands in the middle of a tick.
    if (deliveryQueued_)
        return;
    deliveryQueued_ = true;
    QMetaObject::invokeMethod(
        wakeUp_.get(), [this] { deliver(); }, Qt::QueuedConnection);
}

void X11Keys::deliver() {
    deliveryQueued_ = false;
    if (heard_.empty() || !listener_)
        return;
    KeyBatch batch;
    batch.swap(heard_);
    listener_(batch);
}

bool X11Keys::downInKeymap(const Tracked& key) {
    // Answers within this span come from the same key map, so one poll costs one round trip.
    constexpr auto kSameMoment = std::chrono::milliseconds(5);
    const auto now = std::chrono::steady_clock::now();
    if (now - keymapTakenAt_ >= kSameMoment || now < keymapTakenAt_) {
        XQueryKeymap(connection_.display(), keymap_.data());
        keymapTakenAt_ = now;
        // The reply comes after every event the server sent before it, so draining now sees
        // every press up to this moment.
        connection_.drainEvents();
    }
    if (key.keycode == 0)
        return false;
    return (static_cast<unsigned char>(keymap_[key.keycode / 8]) >> (key.keycode % 8)) & 1;
}

bool X11Keys::isDown(HotKey key) {
    return downInKeymap(keys_[key]);
}

bool X11Keys::downOrPressedSincePrevious(HotKey key) {
    Tracked& k = keys_[key];
    const bool down = downInKeymap(k);
    const bool pressed = k.pressedSincePrevious;
    k.pressedSincePrevious = false;
    return down || pressed;
}

} // namespace tinctora::platform::x11
