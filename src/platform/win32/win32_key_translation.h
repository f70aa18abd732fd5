#pragma once

// Which hot key a keyboard report of Windows' raw input is about. Plain arithmetic on the report's
// fields, without <windows.h>, so that the rule is tested on every platform.

#include "platform/keys.h"

#include <array>
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

// Each hot key as Windows names it: its virtual key and the set-1 scan code of its key.
struct Win32HotKey {
    HotKey key;
    std::uint16_t virtualKey;
    std::uint16_t scanCode;
};

inline constexpr std::array<Win32HotKey, kHotKeys.size()> kWin32HotKeys = {{
    {HotKey::F2, 0x71, 0x3C}, // VK_F2
    {HotKey::F3, 0x72, 0x3D}, // VK_F3
    {HotKey::F4, 0x73, 0x3E}, // VK_F4
    {HotKey::F6, 0x75, 0x40}, // VK_F6
}};

constexpr int virtualKeyOf(HotKey key) {
    for (const Win32HotKey& k : kWin32HotKeys)
        if (k.key == key)
            return k.virtualKey;
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
    // An extended key only shares the scan code of a function key.
    const bool byScanCode = report.virtualKey == 0 && (report.flags & (kRawKeyE0 | kRawKeyE1)) == 0;
    for (const Win32HotKey& k : kWin32HotKeys)
        if (report.virtualKey != 0 ? report.virtualKey == k.virtualKey
                                   : byScanCode && report.makeCode == k.scanCode)
            return KeyChange{k.key, down};
    return std::nullopt;
}

} // namespace tinctora::platform::win32
