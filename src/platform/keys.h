#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace tinctora::platform {

// The hot keys: F2 adds the colour, F3 resumes capture, F4 freezes and adds, F6 freezes the
// screen to pick. However a backend hears them (key events, polls, the desktop's shortcuts),
// they reach the program as these.
enum class HotKey { F2, F3, F4, F6 };

inline constexpr std::array<HotKey, 4> kHotKeys{HotKey::F2, HotKey::F3, HotKey::F4, HotKey::F6};

// One value for each hot key, reached only by the key: no order of keys to get wrong.
template <typename T> class PerHotKey {
public:
    PerHotKey() = default;
    // Every key with this value.
    explicit PerHotKey(const T& all) { values_.fill(all); }

    T& operator[](HotKey key) { return values_[indexOf(key)]; }
    const T& operator[](HotKey key) const { return values_[indexOf(key)]; }

    friend bool operator==(const PerHotKey&, const PerHotKey&) = default;

private:
    static constexpr std::size_t indexOf(HotKey key) { return static_cast<std::size_t>(key); }
    std::array<T, kHotKeys.size()> values_{};
};

// One key going down or up.
struct KeyChange {
    HotKey key;
    bool down = true;
    friend bool operator==(const KeyChange&, const KeyChange&) = default;
};

// The changes read in one go, oldest first: keys pressed "together" are those of one batch.
using KeyBatch = std::vector<KeyChange>;

} // namespace tinctora::platform
