#include "capture/hotkey_poll.h"

namespace tinctora::capture {

HotKeyDecision decideHotKeys(const HotKeyReadings& keys, const CaptureState& state) {
    HotKeyDecision decision;
    decision.f2ArmedAfter = state.f2Armed;

    if (state.liveCapture && keys.f4Down) {
        decision.action = CaptureAction::Freeze;
        decision.addAfterFreeze = true;
    } else if (state.waitingForF3 && keys.f3Down) {
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
