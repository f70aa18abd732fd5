#include "capture/hotkey_events.h"

namespace tinctora::capture {

namespace {

std::size_t indexOf(platform::HotKey key) {
    switch (key) {
    case platform::HotKey::F2:
        break;
    case platform::HotKey::F3:
        return 1;
    case platform::HotKey::F4:
        return 2;
    case platform::HotKey::F6:
        return 3;
    }
    return 0;
}

} // namespace

std::vector<HotKeyReadings> HotKeyPresses::readingsFor(const platform::KeyBatch& batch) {
    std::array<bool, 4> pressed{};
    for (const platform::KeyChange& change : batch) {
        bool& down = down_[indexOf(change.key)];
        if (change.down && !down)
            pressed[indexOf(change.key)] = true;
        down = change.down;
    }
    if (pressed == std::array<bool, 4>{})
        return {};
    HotKeyReadings together;
    together.f2DownOrPressedSincePrevious = pressed[0];
    together.f3DownOrPressedSincePrevious = pressed[1];
    together.f4DownOrPressedSincePrevious = pressed[2];
    together.f6DownOrPressedSincePrevious = pressed[3];
    return {HotKeyReadings{}, together};
}

} // namespace tinctora::capture
