#pragma once

#include "capture/hotkey_poll.h"
#include "platform/keys.h"

#include <vector>

namespace tinctora::capture {

// Hot keys that arrive as events instead of being polled: each batch of key changes becomes the
// readings of the polls that would have seen it, so the one rule in hotkey_poll.h decides both.
//   - A key counts once per press: a "down" of a key that is already down (the keyboard
//     repeating a held key) is no press, and a key held across batches counts in none after the
//     first. A press and release within one batch counts; two presses of one key in one batch
//     count once, as in one poll.
//   - Keys pressed in one batch are pressed together: F4 with F2 adds twice, F3 with F2 (while
//     frozen) resumes and drops that F2.
//   - Every press follows a release, which a poll would have seen as "up": a reading with every
//     key up comes first and re-arms them.
class HotKeyPresses {
public:
    // Every key up, as at start-up.
    void reset() { down_ = {}; }
    // The readings to decide on, in order; none when the batch presses nothing.
    std::vector<HotKeyReadings> readingsFor(const platform::KeyBatch& batch);

private:
    HotKeyReadings down_;
};

} // namespace tinctora::capture
