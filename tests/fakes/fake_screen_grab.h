#pragma once

#include "platform/screen_grab.h"

#include <utility>
#include <vector>

namespace tinctora::platform::fake {

class FakePointer;

// Hands every grab the outcome the test set: at once, or when the test calls answer() (as a
// desktop portal answers later, from the event loop).
class FakeScreenGrabber final : public ScreenGrabber {
public:
    GrabOutcome outcome;
    bool answerLater = false;
    int grabs = 0;
    void grabScreen(std::function<void(GrabOutcome)> done) override;
    // Answers the grab that waits; false when none does.
    bool answer();

private:
    std::function<void(GrabOutcome)> waiting_;
};

// Moves the fake pointer, as the server would, unless the test says it cannot.
class FakePointerMover final : public PointerMover {
public:
    explicit FakePointerMover(FakePointer& pointer) : pointer_(pointer) {}
    bool canMove = true;
    std::vector<std::pair<int, int>> moves; // every request, granted or not
    bool moveBy(int dx, int dy) override;

private:
    FakePointer& pointer_;
};

} // namespace tinctora::platform::fake
