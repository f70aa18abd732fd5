#pragma once

#include "platform/keys.h"

// What the hot keys do in one reading of them: one poll of the 50 ms key timer, or one batch of
// key events (hotkey_events.h). Every key is read once per poll as "down now, or pressed since
// the previous poll", so a tap shorter than a poll counts too. Each
// key acts only in the first poll that sees a press: it is re-armed by a poll that sees it up, so
// holding a key acts once, also across Start and Stop (a held F3 does not undo Stop, a held F4
// does not undo Start).
//   F4 (a new press, while capture is live): freeze the shown colour and add it to the row.
//   F3 (a new press, while the status line asks for F3, and F4 did not act): resume live capture.
//       That poll ends at once, so its F2 reading is dropped and the F2 latch is left as it was.
//   F2 (a new press, in either state): add the shown colour.
//   F6 (a new press, in either state): freeze the screen and pick from it. That poll ends at
//       once, and every other press it reads is spent.
// While the frozen screen is shown (or being grabbed) no key acts: the picture has the keyboard,
// and every press read meanwhile is spent, so a key still held when it closes does not act.
// A press of F4 or F3 that finds nothing to do is spent all the same. F4 and F2 in the same
// poll add twice.
namespace tinctora::capture {

using platform::HotKey;

// For each key: down at the reading, or pressed since the previous one.
using HotKeyReadings = platform::PerHotKey<bool>;

struct CaptureState {
    bool liveCapture = false;  // the sampling timer is running
    bool waitingForF3 = false; // the status line reads "Press F3 to start Capture"
    // Armed: the key has been seen up since it last acted (or was last spent).
    platform::PerHotKey<bool> armed{true};
    bool pickingFromFrozenScreen = false;
};

enum class CaptureAction { None, Freeze, Resume, FreezeScreenAndPick };

struct HotKeyDecision {
    CaptureAction action = CaptureAction::None;
    bool addAfterFreeze = false; // F4 adds the frozen colour
    bool addForF2 = false;       // F2 adds, after any F4 add
    platform::PerHotKey<bool> armedAfter{true};
};

HotKeyDecision decideHotKeys(const HotKeyReadings& keys, const CaptureState& state);

} // namespace tinctora::capture
