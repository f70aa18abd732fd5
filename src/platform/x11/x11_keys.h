#pragma once

#include "platform/x11/x11_connection.h"

#include "platform/keys.h"

#include <array>
#include <chrono>
#include <memory>

class QSocketNotifier;

namespace tinctora::platform::x11 {

// F2, F3, F4 and F6 read for the whole display, whichever window has the focus and without
// grabbing anything. XInput2 raw key events, which the server sends to the root window of every
// client that asks for them, tell every press and release: a listener hears them from the event
// loop, woken by the connection's socket, and a press between two polls still counts. "Down now"
// comes from the server's key map; without XInput2 that is all that can be told, and keys are
// polled.
class X11Keys final : public KeyState {
public:
    enum class Source { RawEventsAndKeymap, KeymapOnly };
    // preferred = KeymapOnly skips XInput2 (used by tests of the fallback).
    explicit X11Keys(Connection& connection, Source preferred = Source::RawEventsAndKeymap);

    ~X11Keys() override;

    Delivery delivery() const override;
    void listen(std::function<void(const KeyBatch&)> listener) override;
    bool isDown(HotKey key) override;
    bool downOrPressedSincePrevious(HotKey key) override;

    Source source() const { return source_; }

private:
    struct Tracked {
        unsigned long keysym = 0;
        unsigned char keycode = 0; // 0: the key is not on this keyboard
        bool pressedSincePrevious = false;
    };

    bool selectRawKeyEvents();
    void lookUpKeycodes();
    void handle(XEvent& event);
    bool downInKeymap(const Tracked& key);
    void deliverLater();
    void deliver();

    Connection& connection_;
    Source source_ = Source::KeymapOnly;
    int inputOpcode_ = -1;
    PerHotKey<Tracked> keys_;
    // One key poll asks about every hot key within microseconds: one key map serves them all.
    std::array<char, 32> keymap_{};
    std::chrono::steady_clock::time_point keymapTakenAt_{};
    std::function<void(const KeyBatch&)> listener_;
    // Woken when the server sends something; only while someone listens.
    std::unique_ptr<QSocketNotifier> wakeUp_;
    KeyBatch heard_; // since the last delivery
    bool deliveryQueued_ = false;
};

} // namespace tinctora::platform::x11
