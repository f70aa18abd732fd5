#pragma once

#include "colour/colour_value.h"

#include <QString>

#include <functional>

namespace tinctora::platform {

// One colour chosen by the user with the desktop's own picker.
struct PickOutcome {
    enum class Status { Picked, Cancelled, Failed };
    Status status = Status::Failed;
    colour::ColourValue colour = colour::kNoColour; // set when Picked
    QString message; // for the user when Failed: what went wrong, in one sentence
};

class ColourPicker {
public:
    virtual ~ColourPicker() = default;
    // Calls done exactly once, later from the event loop. Cancelled means the user closed the
    // desktop's picker: the caller changes nothing and says nothing.
    virtual void pickColour(std::function<void(PickOutcome)> done) = 0;
};

} // namespace tinctora::platform
