#pragma once

#include "platform/platform.h"

#include <memory>

namespace tinctora::platform::win32 {

// F2, F3, F4 and F6 for the whole desktop, whichever program has the focus, and never taken from
// it (no RegisterHotKey): raw input, registered with RIDEV_INPUTSINK for a message-only window
// of this object's own, tells every press and release, which reach the listener from the event
// loop. Nothing wakes up while no key moves. "Down now" comes from GetAsyncKeyState; should raw
// input be refused, that is all there is and keys are polled.
class Win32Keys final : public KeyState {
public:
    enum class Source { RawInputAndKeyState, KeyStateOnly };
    // preferred = KeyStateOnly skips raw input (used by tests of the fallback).
    explicit Win32Keys(Source preferred = Source::RawInputAndKeyState);
    ~Win32Keys() override;
    Win32Keys(const Win32Keys&) = delete;
    Win32Keys& operator=(const Win32Keys&) = delete;

    Delivery delivery() const override;
    void listen(std::function<void(const KeyBatch&)> listener) override;
    bool isDown(HotKey key) override;
    bool downOrPressedSincePrevious(HotKey key) override;

    Source source() const { return window_ ? Source::RawInputAndKeyState : Source::KeyStateOnly; }

private:
    class RawInputWindow; // in the .cpp, where <windows.h> is
    void heard(const KeyChange& change);
    void deliver();

    std::unique_ptr<RawInputWindow> window_; // null: raw input was refused
    PerHotKey<bool> pressedSincePrevious_;
    std::function<void(const KeyBatch&)> listener_;
    KeyBatch heard_; // since the last delivery
};

} // namespace tinctora::platform::win32
