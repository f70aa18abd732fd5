#pragma once

// What the hot keys do in one reading of them: one poll of the 50 ms key timer, or one batch of
// key events (hotkey_events.h).
//   F4 (down at the poll, while capture is live): freeze the shown colour and add it to the row.
//   F3 (down at the poll, while the status line asks for F3): resume live capture. That poll
//       ends at once, so its F2 reading is dropped and the F2 latch is left as it was.
//   F2 (down now, or pressed since the previous poll): add the shown colour once per press. It is
//       re-armed only by a poll that sees F2 up, so holding it adds one colour.
// F4 and F2 in the same poll add twice.
namespace tinctora::capture {

struct HotKeyReadings {
    bool f2DownOrPressedSincePrevious = false; // read first and exactly once per poll
    bool f4Down = false;
    bool f3Down = false;
};

struct CaptureState {
    bool liveCapture = false;  // the sampling timer is running
    bool waitingForF3 = false; // the status line reads "Press F3 to start Capture"
    bool f2Armed = true;
};

enum class CaptureAction { None, Freeze, Resume };

struct HotKeyDecision {
    CaptureAction action = CaptureAction::None;
    bool addAfterFreeze = false; // F4 adds the frozen colour
    bool addForF2 = false;       // F2 adds, after any F4 add
    bool f2ArmedAfter = true;
};

HotKeyDecision decideHotKeys(const HotKeyReadings& keys, const CaptureState& state);

} // namespace tinctora::capture
