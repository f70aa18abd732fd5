#include "capture/hotkey_poll.h"

namespace tinctora::capture {

namespace {

// True when this reading is a press no earlier poll has seen; updates the key's latch.
bool newPress(bool reading, bool armed, bool& armedAfter) {
    armedAfter = !reading;
    return reading && armed;
}

} // namespace

HotKeyDecision decideHotKeys(const HotKeyReadings& keys, const CaptureState& state) {
    HotKeyDecision decision;
    decision.f2ArmedAfter = state.f2Armed;
    const bool f4 =
        newPress(keys.f4DownOrPressedSincePrevious, state.f4Armed, decision.f4ArmedAfter);
    const bool f3 =
        newPress(keys.f3DownOrPressedSincePrevious, state.f3Armed, decision.f3ArmedAfter);
    const bool f6 =
        newPress(keys.f6DownOrPressedSincePrevious, state.f6Armed, decision.f6ArmedAfter);
    if (state.pickingFromFrozenScreen || f6) {
        decision.f2ArmedAfter = !keys.f2DownOrPressedSincePrevious;
        if (!state.pickingFromFrozenScreen)
            decision.action = CaptureAction::FreezeScreenAndPick;
        return decision;
    }

    if (state.liveCapture && f4) {
        decision.action = CaptureAction::Freeze;
        decision.addAfterFreeze = true;
    } else if (state.waitingForF3 && f3) {
        decision.action = CaptureAction::Resume;
        return decision;
    }

    if (!keys.f2DownOrPressedSincePrevious) {
        decision.f2ArmedAfter = true;
    } else if (state.f2Armed) {
        decision.f2ArmedAfter = false;
        decision.addForF2 = true;
    }
    return decision;
}

} // namespace tinctora::capture
