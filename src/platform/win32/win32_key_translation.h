#pragma once

// Which hot key a keyboard report of Windows' raw input is about. Plain arithmetic on the report's
// fields, without <windows.h>, so that the rule is tested on every platform.

#include "platform/keys.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tinctora::platform::win32 {

// The fields of a RAWKEYBOARD report that say which key moved and how.
struct RawKeyboardReport {
    std::uint16_t virtualKey = 0; // VK_*; 0 when the device sent none
    std::uint16_t makeCode = 0;   // the set-1 scan code
    std::uint16_t flags = 0;      // RI_KEY_*
};

inline constexpr std::uint16_t kRawKeyBreak = 0x01; // RI_KEY_BREAK: the key went up
inline constexpr std::uint16_t kRawKeyE0 = 0x02;    // RI_KEY_E0
inline constexpr std::uint16_t kRawKeyE1 = 0x04;    // RI_KEY_E1
// Windows fills in 0xFF for the extra reports of a key sequence (the fake shift around Print
// Screen or Pause): no key of its own.
inline constexpr std::uint16_t kFakeVirtualKey = 0xFF;

inline constexpr std::array<HotKey, 4> kHotKeys = {HotKey::F2, HotKey::F3, HotKey::F4, HotKey::F6};

// VK_F2, VK_F3, VK_F4, VK_F6.
constexpr int virtualKeyOf(HotKey key) {
    switch (key) {
    case HotKey::F2:
        break;
    case HotKey::F3:
        return 0x72;
    case HotKey::F4:
        return 0x73;
    case HotKey::F6:
        return 0x75;
    }
    return 0x71;
}

// The key's place in kHotKeys.
constexpr std::size_t slotOf(HotKey key) {
    switch (key) {
    case HotKey::F2:
        break;
    case HotKey::F3:
        return 1;
    case HotKey::F4:
        return 2;
    case HotKey::F6:
        return 3;
    }
    return 0;
}

// The hot key a report moves, if any. The virtual key decides; a device that sends none (some
// remote-desktop and on-screen keyboards) is read by its plain scan code, which is the same for
// the function keys on every layout. A held key repeats its "down", which the caller's rule
// counts as no new press.
constexpr std::optional<KeyChange> hotKeyChangeOf(const RawKeyboardReport& report) {
    const bool down = (report.flags & kRawKeyBreak) == 0;
    if (report.virtualKey == kFakeVirtualKey)
        return std::nullopt;
    if (report.virtualKey != 0) {
        for (const HotKey key : kHotKeys)
            if (report.virtualKey == virtualKeyOf(key))
                return KeyChange{key, down};
        return std::nullopt;
    }
    if ((report.flags & (kRawKeyE0 | kRawKeyE1)) != 0)
        return std::nullopt; // an extended key that only shares the scan code
    constexpr std::array<std::uint16_t, 4> kScanCodes = {0x3C, 0x3D, 0x3E, 0x40};
    for (const HotKey key : kHotKeys)
        if (report.makeCode == kScanCodes[slotOf(key)])
            return KeyChange{key, down};
    return std::nullopt;
}

} // namespace tinctora::platform::win32
