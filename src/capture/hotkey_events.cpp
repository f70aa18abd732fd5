#include "capture/hotkey_events.h"

namespace tinctora::capture {

std::vector<HotKeyReadings> HotKeyPresses::readingsFor(const platform::KeyBatch& batch) {
    HotKeyReadings pressed;
    for (const platform::KeyChange& change : batch) {
        bool& down = down_[change.key];
        if (change.down && !down)
            pressed[change.key] = true;
        down = change.down;
    }
    if (pressed == HotKeyReadings{})
        return {};
    return {HotKeyReadings{}, pressed};
}

} // namespace tinctora::capture
