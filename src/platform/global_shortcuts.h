#pragma once

#include "platform/keys.h"

#include <QString>

#include <functional>

namespace tinctora::platform {

struct ShortcutsOutcome {
    // Unavailable: this desktop offers no keys outside the window (the usual case; not an error
    // worth more than a status line). Cancelled: the user declined in the desktop's dialog.
    enum class Status { Bound, Unavailable, Cancelled, Failed };
    Status status = Status::Failed;
    QString message; // for the user unless Bound or Cancelled, in one sentence
};

class GlobalShortcuts {
public:
    virtual ~GlobalShortcuts() = default;
    // Asks the desktop for the four hot keys, so that they act while another program has the
    // focus. done is called exactly once, later from the event
    // loop; after Bound, activated is called from the event loop for every press of a key,
    // until this object is destroyed. Call once per object.
    virtual void bind(std::function<void(ShortcutsOutcome)> done,
                      std::function<void(HotKey)> activated) = 0;
};

} // namespace tinctora::platform
