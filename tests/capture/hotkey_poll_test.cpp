#include "capture/hotkey_poll.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace tinctora::capture {
namespace {

// Runs polls over a small model of the window: the capture state and the number of adds, the way
// the main window applies each decision.
struct Session {
    CaptureState state{true, false, true};
    int adds = 0;

    void poll(bool f2, bool f4, bool f3) {
        const HotKeyDecision d = decideHotKeys({f2, f4, f3}, state);
        if (d.action == CaptureAction::Freeze) {
            state.liveCapture = false;
            state.waitingForF3 = true;
        } else if (d.action == CaptureAction::Resume) {
            state.liveCapture = true;
            state.waitingForF3 = false;
        }
        adds += (d.addAfterFreeze ? 1 : 0) + (d.addForF2 ? 1 : 0);
        state.f2Armed = d.f2ArmedAfter;
        state.f3Armed = d.f3ArmedAfter;
        state.f4Armed = d.f4ArmedAfter;
    }

    // Words separated by spaces: a poll names the keys it reads as down or pressed since the
    // previous poll ("2", "43", "-" for none); "Stop" and "Start" are the buttons.
    void run(const std::string& steps) {
        std::istringstream words(steps);
        for (std::string w; words >> w;) {
            if (w == "Stop") {
                state.liveCapture = false;
                state.waitingForF3 = true;
            } else if (w == "Start") {
                state.liveCapture = true;
                state.waitingForF3 = false;
            } else {
                const auto has = [&w](char key) { return w.find(key) != std::string::npos; };
                poll(has('2'), has('4'), has('3'));
            }
        }
    }
};

// A tap shorter than a poll reads as a press in exactly one poll; a held key reads as a press
// in every poll while it is down.
struct KeyStory {
    const char* what;
    const char* steps;
    bool liveAfter;
    int adds;
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
};

TEST(HotKeyPoll, KeyStories) {
    for (const KeyStory& story : kKeyStories) {
        Session s;
        s.run(story.steps);
        EXPECT_EQ(s.state.liveCapture, story.liveAfter) << story.what;
        EXPECT_EQ(s.state.waitingForF3, !story.liveAfter) << story.what;
        EXPECT_EQ(s.adds, story.adds) << story.what;
    }
}

TEST(HotKeyPoll, HoldingF4FreezesOnceAndAddsOneColour) {
    Session s;
    for (int i = 0; i < 10; ++i)
        s.poll(false, true, false);
    EXPECT_FALSE(s.state.liveCapture);
    EXPECT_TRUE(s.state.waitingForF3);
    EXPECT_EQ(s.adds, 1);
    // Released and pressed again while frozen: nothing.
    s.poll(false, false, false);
    s.poll(false, true, false);
    EXPECT_EQ(s.adds, 1);
}

TEST(HotKeyPoll, HoldingF2AddsOnceAndAReleaseRearmsIt) {
    Session s;
    for (int i = 0; i < 5; ++i)
        s.poll(true, false, false);
    EXPECT_EQ(s.adds, 1);
    EXPECT_TRUE(s.state.liveCapture) << "F2 adds while capture stays live";
    s.poll(false, false, false);
    s.poll(true, false, false);
    EXPECT_EQ(s.adds, 2);
}

TEST(HotKeyPoll, TapsInConsecutivePollsNeedAReleaseBetween) {
    Session s;
    // A tap is reported as "pressed since the previous poll" in exactly one poll.
    s.poll(true, false, false);
    s.poll(true, false, false); // still reported: the same press, held
    s.poll(false, false, false);
    s.poll(true, false, false);
    EXPECT_EQ(s.adds, 2);
}

TEST(HotKeyPoll, F4AndF2InOnePollAddTwice) {
    Session s;
    s.poll(true, true, false);
    EXPECT_EQ(s.adds, 2);
    EXPECT_FALSE(s.state.liveCapture);
    EXPECT_FALSE(s.state.f2Armed);
}

TEST(HotKeyPoll, F3ResumesOnlyWhenWaitingAndDropsThatPollsF2) {
    Session s;
    s.poll(false, false, true);
    EXPECT_TRUE(s.state.liveCapture);
    EXPECT_EQ(s.adds, 0) << "F3 while live does nothing";

    s.poll(false, true, false); // freeze: 1 add
    s.poll(false, false, false);
    ASSERT_TRUE(s.state.f2Armed);
    s.poll(true, false, true); // resume; F2 of this poll is dropped and the latch kept
    EXPECT_TRUE(s.state.liveCapture);
    EXPECT_EQ(s.adds, 1);
    EXPECT_TRUE(s.state.f2Armed);
    s.poll(true, false, false); // the next poll still sees F2 and adds
    EXPECT_EQ(s.adds, 2);
}

TEST(HotKeyPoll, F3DoesNotDisarmF2WhenTheResumePollSeesNoF2) {
    Session s;
    s.state = {false, true, false}; // frozen, F2 not yet released
    s.poll(false, false, true);
    EXPECT_FALSE(s.state.f2Armed) << "the resume poll ends before the F2 step";
}

TEST(HotKeyPoll, F2AddsWhileFrozen) {
    Session s;
    s.state = {false, true, true};
    s.poll(true, false, false);
    EXPECT_EQ(s.adds, 1);
    EXPECT_FALSE(s.state.liveCapture);
}

TEST(HotKeyPoll, F4WinsOverF3InTheSamePoll) {
    Session s;
    s.poll(false, true, true);
    EXPECT_FALSE(s.state.liveCapture) << "F4 froze; F3 is not looked at in that poll";
}

} // namespace
} // namespace tinctora::capture
