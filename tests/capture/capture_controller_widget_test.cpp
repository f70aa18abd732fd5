// The capture controller without a window: how the hot keys of each poll or batch of key events,
// Start, Stop and a colour put in from elsewhere move it between live and frozen, and what it
// asks to add.
#include "capture/capture_controller.h"
#include "capture/capture_texts.h"
#include "capture/manual_clock.h"
#include "fakes/fake_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace tinctora::capture {
namespace {

using Mode = CaptureController::Mode;
using platform::HotKey;
using Delivery = platform::KeyState::Delivery;

struct Session {
    explicit Session(Delivery keys = Delivery::Polling) {
        fakes.keys.mode = keys;
        QObject::connect(&controller, &CaptureController::addRequested,
                         [this](const colour::ShownColour& c) { added.push_back(c); });
        controller.begin();
        fakes.screen.background = 255;
        sample(); // a colour to add
        // The frozen screen stays open until the step "Esc" cancels it.
        fakes.grabber.answerLater = true;
        fakes.grabber.outcome.status = platform::GrabOutcome::Status::Cancelled;
    }
    bool sample() { return clock.tick(CaptureController::kSampleIntervalMs); }
    // One poll that reads these keys as down (held since the previous poll, or pressed now).
    void poll(const std::vector<HotKey>& down) {
        for (HotKey key : platform::kHotKeys) {
            const bool wanted = std::find(down.begin(), down.end(), key) != down.end();
            if (wanted && !fakes.keys.isDown(key))
                fakes.keys.press(key);
            else if (!wanted && fakes.keys.isDown(key))
                fakes.keys.release(key);
        }
        EXPECT_TRUE(clock.tick(CaptureController::kHotKeyIntervalMs)) << "the keys are polled";
    }
    // Words separated by spaces: a poll names the keys it reads as down or pressed since the
    // previous poll ("2", "43", "-" for none); "Stop" and "Start" are the buttons, "Esc" closes
    // the frozen screen.
    void run(const std::string& steps) {
        std::istringstream words(steps);
        for (std::string w; words >> w;) {
            if (w == "Stop") {
                controller.freeze();
            } else if (w == "Start") {
                controller.resume();
            } else if (w == "Esc") {
                EXPECT_TRUE(fakes.grabber.answer()) << "no frozen screen open";
            } else {
                std::vector<HotKey> down;
                for (const auto& [name, key] : {std::pair{'2', HotKey::F2},
                                                {'3', HotKey::F3},
                                                {'4', HotKey::F4},
                                                {'6', HotKey::F6}})
                    if (w.find(name) != std::string::npos)
                        down.push_back(key);
                poll(down);
            }
        }
    }
    int adds() const { return static_cast<int>(added.size()); }
    bool live() const { return controller.mode() == Mode::Live; }

    platform::fake::FakePlatform fakes;
    testing::ManualClock clock;
    CaptureController controller{fakes.platform, clock.factory()};
    std::vector<colour::ShownColour> added;
};

// A tap shorter than a poll reads as a press in exactly one poll; a held key reads as a press
// in every poll while it is down.
struct KeyStory {
    const char* what;
    const char* steps;
    bool liveAfter;
    int adds;
    int freezes = 0; // the screen frozen for picking
};

const KeyStory kKeyStories[] = {
    {"a tap of F4 freezes and adds", "- 4 -", false, 1},
    {"a tap of F3 after Stop resumes", "Stop 3 -", true, 0},
    {"a held F4 does not freeze again after Start", "4 4 Start 4 4", true, 1},
    {"F4 released and pressed again after Start freezes again", "4 - Start 4", false, 2},
    {"a held F3 resumes once and does not undo Stop", "Stop 3 3 Stop 3 3", false, 0},
    {"F3 released and pressed again after Stop resumes again", "Stop 3 - Stop 3", true, 0},
    {"F3 pressed while live is spent: no resume after Stop while held", "3 3 Stop 3", false, 0},
    {"F3 held while F4 freezes does not resume", "3 43 3 3", false, 1},
    {"F3 and F4 first seen in one poll: F4 freezes and the F3 press is spent", "43 3", false, 1},
    {"F4 pressed while frozen is spent: no freeze after Start while held", "Stop 4 Start 4", true,
     0},
    {"a tap of F2 in the resume poll is lost", "Stop 23 -", true, 0},
    {"a tap of F6 freezes the screen and leaves capture as it was", "- 6 -", true, 0, 1},
    {"F6 while frozen freezes the screen too", "Stop 6 Esc", false, 0, 1},
    {"a held F6 freezes the screen once", "6 6 6 Esc 6", true, 0, 1},
    {"F6 pressed again after the frozen screen closed freezes again", "6 Esc - 6", true, 0, 2},
    {"no hot key acts while the frozen screen is open", "6 - 2 4 3 6 Esc -", true, 0, 1},
    {"a key held while the frozen screen closes does not act", "6 4 Esc 4 - 4", false, 1, 1},
    {"F6 with F4 in one poll: the F4 press is spent", "46 Esc 4", true, 0, 1},
};

TEST(CaptureHotKeys, KeyStories) {
    for (const KeyStory& story : kKeyStories) {
        Session s;
        s.run(story.steps);
        EXPECT_EQ(s.live(), story.liveAfter) << story.what;
        EXPECT_EQ(s.adds(), story.adds) << story.what;
        EXPECT_EQ(s.fakes.grabber.grabs, story.freezes) << story.what;
    }
}

TEST(CaptureHotKeys, HoldingF4FreezesOnceAndAddsOneColour) {
    Session s;
    for (int i = 0; i < 10; ++i)
        s.poll({HotKey::F4});
    EXPECT_EQ(s.controller.mode(), Mode::Frozen);
    EXPECT_EQ(s.controller.status(), (StatusLines{kPressF3, kCaptured, "", ""}));
    EXPECT_EQ(s.adds(), 1);
    EXPECT_EQ(s.added[0], (colour::ShownColour{255, "00000255"}));
    // Released and pressed again while frozen: nothing.
    s.poll({});
    s.poll({HotKey::F4});
    EXPECT_EQ(s.adds(), 1);
}

TEST(CaptureHotKeys, HoldingF2AddsOnceAndAReleaseRearmsIt) {
    Session s;
    for (int i = 0; i < 5; ++i)
        s.poll({HotKey::F2});
    EXPECT_EQ(s.adds(), 1);
    EXPECT_TRUE(s.live()) << "F2 adds while capture stays live";
    s.poll({});
    s.poll({HotKey::F2});
    EXPECT_EQ(s.adds(), 2);
}

TEST(CaptureHotKeys, TapsInConsecutivePollsNeedAReleaseBetween) {
    Session s;
    // A tap is reported as "pressed since the previous poll" in exactly one poll.
    s.poll({HotKey::F2});
    s.poll({HotKey::F2}); // still reported: the same press, held
    s.poll({});
    s.poll({HotKey::F2});
    EXPECT_EQ(s.adds(), 2);
}

TEST(CaptureHotKeys, F4AndF2InOnePollAddTwiceAndDisarmF2) {
    Session s;
    s.poll({HotKey::F2, HotKey::F4});
    EXPECT_EQ(s.adds(), 2);
    EXPECT_FALSE(s.live());
    s.poll({HotKey::F2});
    EXPECT_EQ(s.adds(), 2) << "F2 still held: disarmed";
}

TEST(CaptureHotKeys, F3ResumesOnlyWhenFrozenAndDropsThatPollsF2) {
    Session s;
    s.poll({HotKey::F3});
    EXPECT_TRUE(s.live());
    EXPECT_EQ(s.adds(), 0) << "F3 while live does nothing";

    s.poll({HotKey::F4}); // freeze: 1 add
    s.poll({});
    s.poll({HotKey::F2, HotKey::F3}); // resume; F2 of this poll is dropped and the latch kept
    EXPECT_TRUE(s.live());
    EXPECT_EQ(s.controller.status(), (StatusLines{kPressF4, kCaptured, kPressF2, ""}))
        << "CAPTURED stays until the first tick";
    EXPECT_EQ(s.adds(), 1);
    s.poll({HotKey::F2}); // the next poll still sees F2 and adds
    EXPECT_EQ(s.adds(), 2);
}

TEST(CaptureHotKeys, F3DoesNotRearmF2WhenTheResumePollSeesNoF2) {
    Session s;
    s.poll({HotKey::F2, HotKey::F4}); // frozen, F2 held: disarmed
    s.poll({HotKey::F3});
    ASSERT_TRUE(s.live());
    s.poll({HotKey::F2});
    EXPECT_EQ(s.adds(), 2) << "the resume poll ended before the F2 step";
}

TEST(CaptureHotKeys, F2AddsWhileFrozen) {
    Session s;
    s.controller.freeze();
    s.poll({HotKey::F2});
    EXPECT_EQ(s.adds(), 1);
    EXPECT_FALSE(s.live());
}

TEST(CaptureHotKeys, F4WinsOverF3InTheSamePoll) {
    Session s;
    s.poll({HotKey::F4, HotKey::F3});
    EXPECT_FALSE(s.live()) << "F4 froze; F3 is not looked at in that poll";
}

TEST(CaptureHotKeys, NothingToAddBeforeTheFirstColour) {
    platform::fake::FakePlatform fakes;
    testing::ManualClock clock;
    CaptureController controller{fakes.platform, clock.factory()};
    int adds = 0;
    QObject::connect(&controller, &CaptureController::addRequested, [&] { ++adds; });
    controller.begin();
    fakes.keys.together({{HotKey::F2, true}, {HotKey::F4, true}});
    EXPECT_EQ(adds, 0);
    EXPECT_EQ(controller.mode(), Mode::Frozen);
}

// The same rule fed by key events: each batch is what the keyboard did in one go.
TEST(CaptureHotKeys, KeyEventsActOncePerPressAndKeysOfOneBatchAreTogether) {
    using platform::KeyBatch;
    const KeyBatch f2Down{{HotKey::F2, true}}, f2Up{{HotKey::F2, false}};
    const KeyBatch f3Down{{HotKey::F3, true}}, f3Up{{HotKey::F3, false}};
    const KeyBatch f4Down{{HotKey::F4, true}}, f4Up{{HotKey::F4, false}};
    const KeyBatch f2Tap{{HotKey::F2, true}, {HotKey::F2, false}};
    const struct {
        const char* what;
        bool startFrozen;
        std::vector<KeyBatch> batches;
        int adds;
        Mode after;
    } cases[] = {
        {"F4 held, repeating, freezes and adds once",
         false,
         {f4Down, f4Down, f4Down, f4Up},
         1,
         Mode::Frozen},
        {"F4 tapped within one batch counts",
         false,
         {{{HotKey::F4, true}, {HotKey::F4, false}}},
         1,
         Mode::Frozen},
        {"F2 held, repeating, adds once", false, {f2Down, f2Down, f2Down}, 1, Mode::Live},
        {"F2 released and pressed again adds again", false, {f2Down, f2Up, f2Down}, 2, Mode::Live},
        {"F2 tapped within a batch, twice in a row", false, {f2Tap, f2Tap}, 2, Mode::Live},
        {"F2 released and pressed again within one batch",
         false,
         {f2Down, {{HotKey::F2, false}, {HotKey::F2, true}}},
         2,
         Mode::Live},
        {"F2 pressed twice within one batch is one press",
         false,
         {{{HotKey::F2, true}, {HotKey::F2, false}, {HotKey::F2, true}}},
         1,
         Mode::Live},
        {"F4 and F2 together add twice",
         false,
         {{{HotKey::F4, true}, {HotKey::F2, true}}},
         2,
         Mode::Frozen},
        {"F4 and F2 in separate batches add twice too", false, {f4Down, f2Down}, 2, Mode::Frozen},
        {"F4 wins over F3 together with it",
         false,
         {{{HotKey::F3, true}, {HotKey::F4, true}}},
         1,
         Mode::Frozen},
        {"F3 while live does nothing", false, {f3Down, f3Up}, 0, Mode::Live},
        {"F3 tapped resumes", true, {{{HotKey::F3, true}, {HotKey::F3, false}}}, 0, Mode::Live},
        {"F3 together with F2 drops that F2, even held",
         true,
         {{{HotKey::F2, true}, {HotKey::F3, true}}, f2Down, f3Up},
         0,
         Mode::Live},
        {"after F3 with F2, the next F2 press adds",
         true,
         {{{HotKey::F3, true}, {HotKey::F2, true}}, f2Up, f2Down},
         1,
         Mode::Live},
        {"F3 then F2 in separate batches: F2 adds", true, {f3Down, f2Down}, 1, Mode::Live},
        {"F2 adds while frozen", true, {f2Tap}, 1, Mode::Frozen},
        {"F4 held while F3 resumes does not freeze again",
         false,
         {f4Down, f4Up, f4Down, f3Down, f4Down, f3Up},
         1,
         Mode::Live},
        {"F4 and F3 tapped in turn, one batch each, act every time",
         false,
         {{{HotKey::F4, true}, {HotKey::F4, false}},
          {{HotKey::F3, true}, {HotKey::F3, false}},
          {{HotKey::F4, true}, {HotKey::F4, false}}},
         2,
         Mode::Frozen},
        {"releases alone do nothing", false, {f2Up, f3Up, f4Up}, 0, Mode::Live},
    };
    for (const auto& c : cases) {
        Session s(Delivery::Events);
        ASSERT_TRUE(s.fakes.keys.heard());
        if (c.startFrozen)
            s.controller.freeze();
        for (const KeyBatch& batch : c.batches)
            s.fakes.keys.together(batch);
        EXPECT_EQ(s.adds(), c.adds) << c.what;
        EXPECT_EQ(s.controller.mode(), c.after) << c.what;
    }
    // F6 arrives as an event like the others: its press opens the frozen screen once and spends
    // the F2 pressed together with it.
    Session s(Delivery::Events);
    s.fakes.keys.together({{HotKey::F6, true}, {HotKey::F2, true}});
    s.fakes.keys.together({{HotKey::F6, true}});
    EXPECT_EQ(s.fakes.grabber.grabs, 1);
    EXPECT_EQ(s.adds(), 0);
}

TEST(CaptureHotKeys, KeyEventsAreNotHeardWhenStopped) {
    platform::fake::FakePlatform fakes;
    testing::ManualClock clock;
    CaptureController controller{fakes.platform, clock.factory()};
    EXPECT_FALSE(fakes.keys.heard());
    controller.begin();
    EXPECT_TRUE(fakes.keys.heard());
    controller.end();
    EXPECT_FALSE(fakes.keys.heard());
    fakes.keys.press(platform::HotKey::F4);
    EXPECT_EQ(controller.mode(), Mode::Stopped);
}

TEST(CaptureModes, ShownFrozenColourIsTheOneAddedAndEndStopsEverything) {
    Session s;
    // A colour from elsewhere (a recall, the colour dialog, a pick) is shown frozen.
    s.controller.showFrozen({0x123456, "1193046"});
    EXPECT_EQ(s.controller.mode(), Mode::Frozen);
    EXPECT_EQ(s.controller.current(), (colour::ShownColour{0x123456, "1193046"}));
    s.controller.addCurrent();
    ASSERT_EQ(s.adds(), 1);
    EXPECT_EQ(s.added[0].decimalText, "1193046");
    s.controller.resume();
    ASSERT_TRUE(s.sample());
    EXPECT_EQ(s.controller.status(), (StatusLines{kPressF4, "", kPressF2, ""}));
    s.controller.end();
    EXPECT_EQ(s.controller.mode(), Mode::Stopped);
}

} // namespace
} // namespace tinctora::capture
