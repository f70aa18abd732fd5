#include "capture/hotkey_poll.h"

namespace tinctora::capture {

namespace {

// True when this reading is a press no earlier poll has seen; updates the key's latch.
bool newPress(HotKey key, const HotKeyReadings& keys, const CaptureState& state,
              HotKeyDecision& decision) {
    decision.armedAfter[key] = !keys[key];
    return keys[key] && state.armed[key];
}

} // namespace

HotKeyDecision decideHotKeys(const HotKeyReadings& keys, const CaptureState& state) {
    HotKeyDecision decision;
    decision.armedAfter[HotKey::F2] = state.armed[HotKey::F2];
    const bool f4 = newPress(HotKey::F4, keys, state, decision);
    const bool f3 = newPress(HotKey::F3, keys, state, decision);
    const bool f6 = newPress(HotKey::F6, keys, state, decision);
    if (state.pickingFromFrozenScreen || f6) {
        decision.armedAfter[HotKey::F2] = !keys[HotKey::F2];
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

    if (!keys[HotKey::F2]) {
        decision.armedAfter[HotKey::F2] = true;
    } else if (state.armed[HotKey::F2]) {
        decision.armedAfter[HotKey::F2] = false;
        decision.addForF2 = true;
    }
    return decision;
}

} // namespace tinctora::capture
