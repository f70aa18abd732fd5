#pragma once

#include "platform/x11/x11_connection.h"

#include <array>
#include <chrono>

namespace tinctora::platform::x11 {

// F2, F3, F4 and F6 read for the whole display, whichever window has the focus and without grabbing
// anything. "Down now" comes from the server's key map. A press between two reads is seen through
// XInput2 raw key events, which the server sends to the root window of every client that asks
// for them; without XInput2 only "down now" can be told.
class X11Keys final : public KeyState {
public:
    enum class Source { RawEventsAndKeymap, KeymapOnly };
    // preferred = KeymapOnly skips XInput2 (used by tests of the fallback).
    explicit X11Keys(Connection& connection, Source preferred = Source::RawEventsAndKeymap);

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
    Tracked& tracked(HotKey key);

    Connection& connection_;
    Source source_ = Source::KeymapOnly;
    int inputOpcode_ = -1;
    std::array<Tracked, 4> keys_{};
    // One key poll asks about every hot key within microseconds: one key map serves them all.
    std::array<char, 32> keymap_{};
    std::chrono::steady_clock::time_point keymapTakenAt_{};
};

} // namespace tinctora::platform::x11
