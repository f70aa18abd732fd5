#pragma once

#include <vector>

namespace tinctora::platform {

enum class HotKey { F2, F3, F4, F6 };

// One key going down or up.
struct KeyChange {
    HotKey key;
    bool down = true;
    friend bool operator==(const KeyChange&, const KeyChange&) = default;
};

// The changes read in one go, oldest first: keys pressed "together" are those of one batch.
using KeyBatch = std::vector<KeyChange>;

} // namespace tinctora::platform
