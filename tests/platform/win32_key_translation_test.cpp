#include "platform/win32/win32_key_translation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tinctora::platform::win32 {
namespace {

constexpr std::uint16_t kDown = 0;
constexpr std::uint16_t kUp = kRawKeyBreak;

struct Report {
    const char* what;
    RawKeyboardReport report;
    std::optional<KeyChange> change;
};

TEST(Win32KeyTranslation, TellsTheHotKeysAndNothingElse) {
    const std::vector<Report> table = {
        {"F2 down", {0x71, 0x3C, kDown}, KeyChange{HotKey::F2, true}},
        {"F2 up", {0x71, 0x3C, kUp}, KeyChange{HotKey::F2, false}},
        {"F3 down", {0x72, 0x3D, kDown}, KeyChange{HotKey::F3, true}},
        {"F4 up", {0x73, 0x3E, kUp}, KeyChange{HotKey::F4, false}},
        {"F6 down", {0x75, 0x40, kDown}, KeyChange{HotKey::F6, true}},
        {"F1", {0x70, 0x3B, kDown}, std::nullopt},
        {"F5 between F4 and F6", {0x74, 0x3F, kDown}, std::nullopt},
        {"F7", {0x76, 0x41, kDown}, std::nullopt},
        {"F12", {0x7B, 0x58, kUp}, std::nullopt},
        {"letter Q", {0x51, 0x10, kDown}, std::nullopt},
        // The virtual key decides: a remapped scan code still sends VK_F4.
        {"VK_F4 from another scan code", {0x73, 0x10, kDown}, KeyChange{HotKey::F4, true}},
        {"VK_F5 from F2's scan code", {0x74, 0x3C, kDown}, std::nullopt},
        {"fake key of a sequence with F2's scan code",
         {kFakeVirtualKey, 0x3C, kDown},
         std::nullopt},
        // Devices that send no virtual key.
        {"no virtual key, F2's scan code", {0, 0x3C, kDown}, KeyChange{HotKey::F2, true}},
        {"no virtual key, F3's scan code, up", {0, 0x3D, kUp}, KeyChange{HotKey::F3, false}},
        {"no virtual key, F4's scan code", {0, 0x3E, kDown}, KeyChange{HotKey::F4, true}},
        {"no virtual key, F6's scan code", {0, 0x40, kUp}, KeyChange{HotKey::F6, false}},
        {"no virtual key, F5's scan code", {0, 0x3F, kDown}, std::nullopt},
        {"no virtual key, extended key with F4's scan code", {0, 0x3E, kRawKeyE0}, std::nullopt},
        {"no virtual key, E1 sequence", {0, 0x3C, kRawKeyE1 | kUp}, std::nullopt},
        {"nothing at all", {0, 0, kDown}, std::nullopt},
    };
    for (const Report& row : table)
        EXPECT_EQ(hotKeyChangeOf(row.report), row.change) << row.what;
}

TEST(Win32KeyTranslation, EveryHotKeyHasOneRowWithItsFunctionKey) {
    const std::vector<std::pair<HotKey, int>> keys = {
        {HotKey::F2, 0x71}, {HotKey::F3, 0x72}, {HotKey::F4, 0x73}, {HotKey::F6, 0x75}};
    for (const auto& [key, virtualKey] : keys) {
        EXPECT_EQ(virtualKeyOf(key), virtualKey);
        EXPECT_EQ(std::count_if(kWin32HotKeys.begin(), kWin32HotKeys.end(),
                                [key = key](const Win32HotKey& k) { return k.key == key; }),
                  1);
        const RawKeyboardReport report{static_cast<std::uint16_t>(virtualKey), 0, kDown};
        EXPECT_EQ(hotKeyChangeOf(report), (KeyChange{key, true}));
    }
}

} // namespace
} // namespace tinctora::platform::win32
