#include "fakes/fake_screen_grab.h"
#include "fakes/fake_platform.h"

namespace tinctora::platform::fake {

void FakeScreenGrabber::grabScreen(std::function<void(GrabOutcome)> done) {
    ++grabs;
    if (answerLater)
        waiting_ = std::move(done);
    else
        done(outcome);
}

bool FakeScreenGrabber::answer() {
    if (!waiting_)
        return false;
    auto done = std::move(waiting_);
    waiting_ = nullptr;
    done(outcome);
    return true;
}

bool FakePointerMover::moveBy(int dx, int dy) {
    moves.emplace_back(dx, dy);
    if (!canMove || !pointer_.at)
        return false;
    pointer_.at = ScreenPoint{pointer_.at->x + dx, pointer_.at->y + dy};
    return true;
}

} // namespace tinctora::platform::fake
