// The X11 backend against real X servers: a private Xvfb per group, driven with xsetroot,
// xdotool and xrandr as a user or another program would.
// GoogleTest comes before Xlib, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "platform/x11/x11_capture.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_keys.h"
#include "platform/x11/x11_pixels.h"
#include "platform/x11/x11_pointer.h"
#include "xvfb_server.h"

#include <X11/Xutil.h>

#include <memory>

namespace tinctora::platform::x11 {
namespace {

using testing::XvfbServer;

// One server per group of tests; each test opens its own backend on it.
class OnXvfb : public ::testing::Test {
protected:
    static std::unique_ptr<XvfbServer> startServer(const std::vector<std::string>& screens) {
        auto server = std::make_unique<XvfbServer>(screens);
        if (!server->running())
            ADD_FAILURE() << "Xvfb did not start";
        return server;
    }

    void openOn(const XvfbServer& server) {
        ASSERT_TRUE(server.running());
        QString reason;
        connection = Connection::open(server.name().c_str(), &reason);
        ASSERT_TRUE(connection) << reason.toStdString();
        pointer = std::make_unique<X11Pointer>(*connection);
        pixels = std::make_unique<X11Pixels>(*connection);
        keys = std::make_unique<X11Keys>(*connection);
    }

    std::unique_ptr<Connection> connection;
    std::unique_ptr<X11Pointer> pointer;
    std::unique_ptr<X11Pixels> pixels;
    std::unique_ptr<X11Keys> keys;
};

// --- A 24-bit screen, with a second X screen beside it -------------------------------------

class TrueColourScreen : public OnXvfb {
protected:
    static void SetUpTestSuite() {
        server = startServer({"-screen", "0", "1024x768x24", "-screen", "1", "320x240x24"});
    }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override { openOn(*server); }
    static bool run(const std::string& command) { return server->run(command); }
    static std::unique_ptr<XvfbServer> server;
};
std::unique_ptr<XvfbServer> TrueColourScreen::server;

TEST_F(TrueColourScreen, ReadsTheScreenColourWithRedInTheLowByte) {
    const struct {
        const char* rootColour;
        std::int32_t value;
    } colours[] = {{"#123456", 0x563412}, {"#ff0000", 0x0000FF}, {"#00ff00", 0x00FF00},
                   {"#0000ff", 0xFF0000}, {"#ffffff", 0xFFFFFF}, {"#000000", 0}};
    for (const auto& c : colours) {
        ASSERT_TRUE(run(std::string("xsetroot -solid '") + c.rootColour + "'"));
        EXPECT_EQ(pixels->pixelAt({0, 0}), c.value) << c.rootColour;
        EXPECT_EQ(pixels->pixelAt({512, 384}), c.value) << c.rootColour;
        EXPECT_EQ(pixels->pixelAt({1023, 767}), c.value) << c.rootColour;
    }
}

TEST_F(TrueColourScreen, ReadsWindowsAsShownNotOnlyTheBackground) {
    ASSERT_TRUE(run("xsetroot -solid '#123456'"));
    Display* d = connection->display();
    const int s = connection->screen();
    XColor exact{};
    XColor shown{};
    ASSERT_TRUE(XAllocNamedColor(d, DefaultColormap(d, s), "#abcdef", &shown, &exact));
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = shown.pixel;
    const Window w =
        XCreateWindow(d, connection->root(), 100, 100, 50, 50, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapWindow(d, w);
    XSync(d, False);
    EXPECT_EQ(pixels->pixelAt({125, 125}), 0xEFCDAB);
    EXPECT_EQ(pixels->pixelAt({99, 99}), 0x563412);
    XDestroyWindow(d, w);
    XSync(d, False);
    EXPECT_EQ(pixels->pixelAt({125, 125}), 0x563412);
}

TEST_F(TrueColourScreen, OutsideTheScreenReadsMinusOneWithoutAskingTheServer) {
    ASSERT_TRUE(run("xsetroot -solid '#123456'"));
    for (const ScreenPoint p :
         {ScreenPoint{-1, 0}, ScreenPoint{0, -1}, ScreenPoint{1024, 0}, ScreenPoint{0, 768},
          ScreenPoint{100000, 5}, ScreenPoint{-100000, -100000}})
        EXPECT_EQ(pixels->pixelAt(p), -1) << p.x << "," << p.y;
    EXPECT_EQ(connection->errors().count(), 0u);
    EXPECT_EQ(pixels->pixelAt({5, 5}), 0x563412);
}

TEST_F(TrueColourScreen, FollowsTheScreenWhenItChangesSize) {
    ASSERT_TRUE(run("xsetroot -solid '#123456'"));
    ASSERT_EQ(pixels->pixelAt({900, 700}), 0x563412);
    // xrandr complains about the output that no longer fits, but the screen does shrink.
    run("xrandr --fb 800x600");
    EXPECT_EQ(pixels->pixelAt({900, 700}), -1);
    EXPECT_EQ(pixels->pixelAt({799, 599}), 0x563412);
    run("xrandr --fb 1024x768");
    ASSERT_TRUE(run("xsetroot -solid '#123456'"));
    EXPECT_EQ(pixels->pixelAt({900, 700}), 0x563412);
    EXPECT_EQ(pixels->pixelAt({1024, 700}), -1);
    // The size came from the server's notices, not from reads that failed.
    EXPECT_EQ(connection->errors().count(), 0u);
}

TEST_F(TrueColourScreen, AProtocolErrorIsTrappedAndTheConnectionGoesOn) {
    // Asking for a pixel outside the root is a BadMatch; Xlib's default handler would exit.
    XImage* image =
        XGetImage(connection->display(), connection->root(), 5000, 5000, 1, 1, AllPlanes, ZPixmap);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(connection->errors().count(), 1u);
    EXPECT_EQ(connection->errors().lastErrorCode(), BadMatch);
    ASSERT_TRUE(run("xsetroot -solid '#123456'"));
    EXPECT_EQ(pixels->pixelAt({5, 5}), 0x563412);
    EXPECT_TRUE(pointer->position().has_value());
}

TEST_F(TrueColourScreen, PointerPositionIsInScreenPixels) {
    ASSERT_TRUE(run("xdotool mousemove 300 200"));
    EXPECT_EQ(pointer->position(), (ScreenPoint{300, 200}));
    ASSERT_TRUE(run("xdotool mousemove 1023 767"));
    EXPECT_EQ(pointer->position(), (ScreenPoint{1023, 767}));
}

TEST_F(TrueColourScreen, PointerOnAnotherXScreenReadsNothing) {
    ASSERT_TRUE(run("xdotool mousemove --screen 1 10 10"));
    EXPECT_EQ(pointer->position(), std::nullopt);
    ASSERT_TRUE(run("xdotool mousemove --screen 0 40 50"));
    EXPECT_EQ(pointer->position(), (ScreenPoint{40, 50}));
}

TEST_F(TrueColourScreen, KeysAreReadThroughRawEvents) {
    EXPECT_EQ(keys->source(), X11Keys::Source::RawEventsAndKeymap);
}

TEST_F(TrueColourScreen, ATapBetweenTwoReadsCountsOnceAndIsNotDown) {
    keys->downOrPressedSincePrevious(HotKey::F2);
    ASSERT_TRUE(run("xdotool key F2"));
    EXPECT_FALSE(keys->isDown(HotKey::F2));
    EXPECT_TRUE(keys->downOrPressedSincePrevious(HotKey::F2));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F2));
    // Two taps between reads are one "pressed since".
    ASSERT_TRUE(run("xdotool key F2 F2"));
    EXPECT_TRUE(keys->downOrPressedSincePrevious(HotKey::F2));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F2));
}

TEST_F(TrueColourScreen, EachKeyKeepsItsOwnPressSincePrevious) {
    for (HotKey k : {HotKey::F2, HotKey::F3, HotKey::F4})
        keys->downOrPressedSincePrevious(k);
    ASSERT_TRUE(run("xdotool key F3"));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F2));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F4));
    EXPECT_TRUE(keys->downOrPressedSincePrevious(HotKey::F3));
    // Other keys count for none of them.
    ASSERT_TRUE(run("xdotool key F1 F5 a Return"));
    for (HotKey k : {HotKey::F2, HotKey::F3, HotKey::F4}) {
        EXPECT_FALSE(keys->downOrPressedSincePrevious(k));
        EXPECT_FALSE(keys->isDown(k));
    }
}

TEST_F(TrueColourScreen, AHeldKeyIsDownUntilReleased) {
    keys->downOrPressedSincePrevious(HotKey::F4);
    ASSERT_TRUE(run("xdotool keydown F4"));
    EXPECT_TRUE(keys->isDown(HotKey::F4));
    EXPECT_TRUE(keys->isDown(HotKey::F4));
    EXPECT_FALSE(keys->isDown(HotKey::F3));
    EXPECT_TRUE(keys->downOrPressedSincePrevious(HotKey::F4));
    EXPECT_TRUE(keys->downOrPressedSincePrevious(HotKey::F4));
    ASSERT_TRUE(run("xdotool keyup F4"));
    EXPECT_FALSE(keys->isDown(HotKey::F4));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F4));
}

TEST_F(TrueColourScreen, HeldF2ReleasedBetweenReadsIsNotPressedAgain) {
    ASSERT_TRUE(run("xdotool keydown F2"));
    EXPECT_TRUE(keys->downOrPressedSincePrevious(HotKey::F2));
    ASSERT_TRUE(run("xdotool keyup F2"));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F2));
}

// Listens for key events the way the program does, from a Qt event loop that nothing else wakes.
struct KeyListener {
    explicit KeyListener(KeyState& keys) : keys(keys) {
        keys.listen([this](const KeyBatch& batch) {
            heard.insert(heard.end(), batch.begin(), batch.end());
            ++batches;
            if (heard.size() >= expected)
                loop.quit();
        });
    }
    ~KeyListener() { keys.listen({}); }
    // Runs the event loop until `count` changes were heard, for at most two seconds.
    KeyBatch waitFor(std::size_t count) {
        expected = count;
        if (heard.size() < count) {
            QTimer::singleShot(2000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return heard;
    }
    KeyState& keys;
    QEventLoop loop;
    KeyBatch heard;
    std::size_t expected = 0;
    int batches = 0;
};

TEST_F(TrueColourScreen, AKeyPressWakesAListenerWithoutAnyPoll) {
    int argc = 1;
    char name[] = "x11_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    ASSERT_EQ(keys->delivery(), KeyState::Delivery::Events);
    KeyListener listener(*keys);
    ASSERT_TRUE(run("xdotool key F2"));
    // Only the connection's socket can wake the loop: nothing here reads the keys.
    EXPECT_EQ(listener.waitFor(2), (KeyBatch{{HotKey::F2, true}, {HotKey::F2, false}}));
    ASSERT_TRUE(run("xdotool keydown F4 key F1 F3 keyup F4"));
    EXPECT_EQ(listener.waitFor(6), (KeyBatch{{HotKey::F2, true},
                                             {HotKey::F2, false},
                                             {HotKey::F4, true},
                                             {HotKey::F3, true},
                                             {HotKey::F3, false},
                                             {HotKey::F4, false}}))
        << "other keys are not heard";
}

TEST_F(TrueColourScreen, KeysReadInDuringATickAreHeardAfterIt) {
    int argc = 1;
    char name[] = "x11_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    KeyListener listener(*keys);
    ASSERT_TRUE(run("xdotool key F4 && xdotool mousemove 20 30"));
    // The pointer's reply comes after the key events, so Xlib reads them all from the socket
    // while it waits: the socket then has nothing left to wake anyone.
    ASSERT_EQ(pointer->position(), (ScreenPoint{20, 30}));
    EXPECT_TRUE(listener.heard.empty()) << "never heard in the middle of a read";
    EXPECT_EQ(listener.waitFor(2), (KeyBatch{{HotKey::F4, true}, {HotKey::F4, false}}));
    EXPECT_EQ(listener.batches, 1) << "read in one go, heard in one go";
    ASSERT_TRUE(run("xdotool key F2"));
    EXPECT_NE(pixels->pixelAt({5, 5}), -1);
    EXPECT_EQ(listener.waitFor(4).size(), 4u);
}

TEST_F(TrueColourScreen, WithoutXInput2HeldKeysStillRead) {
    X11Keys keymapOnly(*connection, X11Keys::Source::KeymapOnly);
    EXPECT_EQ(keymapOnly.source(), X11Keys::Source::KeymapOnly);
    EXPECT_EQ(keymapOnly.delivery(), KeyState::Delivery::Polling) << "the keys must be polled";
    ASSERT_TRUE(run("xdotool keydown F4"));
    EXPECT_TRUE(keymapOnly.isDown(HotKey::F4));
    EXPECT_TRUE(keymapOnly.downOrPressedSincePrevious(HotKey::F4));
    ASSERT_TRUE(run("xdotool keyup F4"));
    EXPECT_FALSE(keymapOnly.isDown(HotKey::F4));
    EXPECT_FALSE(keymapOnly.downOrPressedSincePrevious(HotKey::F4));
}

TEST_F(TrueColourScreen, KeysFollowAChangedKeyboardMapping) {
    // Another client moves F2 to a different key, as a layout switch would; xdotool then
    // presses that key for F2.
    keys->downOrPressedSincePrevious(HotKey::F2);
    const bool remapped = run("xmodmap -e 'keycode 68 = F20' -e 'keycode 202 = F2'");
    const bool pressed = remapped && run("xdotool keydown F2");
    const bool down = keys->isDown(HotKey::F2);
    const bool counted = keys->downOrPressedSincePrevious(HotKey::F2);
    run("xdotool keyup F2");
    run("xmodmap -e 'keycode 202 =' -e 'keycode 68 = F2 F2 F2 F2 F2 F2 XF86Switch_VT_2'");
    ASSERT_TRUE(pressed);
    EXPECT_TRUE(down);
    EXPECT_TRUE(counted);
    EXPECT_FALSE(keys->isDown(HotKey::F2));
}

TEST_F(TrueColourScreen, TheOpenedBackendReadsThroughItsInterfaces) {
    QString reason;
    std::unique_ptr<X11Capture> capture = X11Capture::open(&reason, server->name().c_str());
    ASSERT_TRUE(capture) << reason.toStdString();
    EXPECT_EQ(reason, "");
    ASSERT_TRUE(run("xsetroot -solid '#123456' && xdotool mousemove 600 400"));
    const std::optional<ScreenPoint> where = capture->pointer().position();
    ASSERT_EQ(where, (ScreenPoint{600, 400}));
    EXPECT_EQ(capture->pixels().pixelAt(*where), 0x563412);
    capture->keys().downOrPressedSincePrevious(HotKey::F2);
    ASSERT_TRUE(run("xdotool key F2"));
    EXPECT_TRUE(capture->keys().downOrPressedSincePrevious(HotKey::F2));
}

// A server with a display but no screen to show: Xwayland under a Wayland compositor refuses
// every read of the root window.
class RefusingScreen final : public ScreenPixels {
public:
    std::int32_t pixelAt(ScreenPoint) override { return -1; }
};

TEST_F(TrueColourScreen, AScreenIsReadableWhenOnePixelCanBeReadEvenABlackOne) {
    ASSERT_TRUE(run("xsetroot -solid '#000000'"));
    EXPECT_EQ(screenReadability(*pixels), "");
    RefusingScreen refusing;
    const QString reason = screenReadability(refusing);
    EXPECT_EQ(reason, screenUnreadableReason());
    EXPECT_TRUE(reason.contains("XWayland")) << reason.toStdString();
    EXPECT_TRUE(reason.contains("Capture stays stopped")) << reason.toStdString();
}

TEST(X11CaptureOpen, NoDisplayGivesAReasonInsteadOfABackend) {
    QString reason;
    EXPECT_EQ(X11Capture::open(&reason, ":4095"), nullptr);
    EXPECT_TRUE(reason.contains(":4095")) << reason.toStdString();
    EXPECT_TRUE(reason.contains("Capture stays stopped")) << reason.toStdString();
    EXPECT_FALSE(displayUnavailableReason(":4095").isEmpty());
}

// --- Other depths -----------------------------------------------------------------------------

class SixteenBitScreen : public OnXvfb {
protected:
    static void SetUpTestSuite() { server = startServer({"-screen", "0", "640x480x16"}); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override { openOn(*server); }
    static std::unique_ptr<XvfbServer> server;
};
std::unique_ptr<XvfbServer> SixteenBitScreen::server;

TEST_F(SixteenBitScreen, ReadsRgb565PixelsByBitReplication) {
    const struct {
        const char* rootColour;
        std::int32_t value;
    } colours[] = {{"#123456", 0x523410}, // stored as 0x11AA, shown as #103452
                   {"#ffffff", 0xFFFFFF}, {"#ff0000", 0x0000FF}, {"#00ff00", 0x00FF00},
                   {"#0000ff", 0xFF0000}, {"#000000", 0}};
    for (const auto& c : colours) {
        ASSERT_TRUE(server->run(std::string("xsetroot -solid '") + c.rootColour + "'"));
        EXPECT_EQ(pixels->pixelAt({320, 240}), c.value) << c.rootColour;
    }
}

class PaletteScreen : public OnXvfb {
protected:
    static void SetUpTestSuite() { server = startServer({"-screen", "0", "640x480x8"}); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override { openOn(*server); }
    static std::unique_ptr<XvfbServer> server;
};
std::unique_ptr<XvfbServer> PaletteScreen::server;

TEST_F(PaletteScreen, ReadsColoursThroughTheColourMap) {
    ASSERT_TRUE(server->run("xsetroot -solid '#123456'"));
    EXPECT_EQ(pixels->pixelAt({10, 10}), 0x563412);
    ASSERT_TRUE(server->run("xsetroot -solid '#ff8000'"));
    EXPECT_EQ(pixels->pixelAt({10, 10}), 0x0080FF);
}

// --- Two monitors side by side on one wide screen ------------------------------------------

class TwoMonitors : public OnXvfb {
protected:
    static void SetUpTestSuite() {
        server = startServer({"-screen", "0", "2048x768x24"});
        monitorsMade = server->running() &&
                       server->run("xrandr --setmonitor left 1024/270x768/203+0+0 screen") &&
                       server->run("xrandr --setmonitor right 1024/270x768/203+1024+0 none") &&
                       server->run("xrandr --listmonitors | grep -q 'Monitors: 2'");
    }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override {
        ASSERT_TRUE(monitorsMade);
        openOn(*server);
    }
    static std::unique_ptr<XvfbServer> server;
    static bool monitorsMade;
};
std::unique_ptr<XvfbServer> TwoMonitors::server;
bool TwoMonitors::monitorsMade = false;

TEST_F(TwoMonitors, ReadsThePixelUnderThePointerOnTheSecondMonitor) {
    ASSERT_TRUE(server->run("xsetroot -solid '#123456'"));
    // Fill the second monitor with another colour, as a maximised window there would.
    Display* d = connection->display();
    XColor exact{};
    XColor shown{};
    ASSERT_TRUE(
        XAllocNamedColor(d, DefaultColormap(d, connection->screen()), "#abcdef", &shown, &exact));
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = shown.pixel;
    const Window w =
        XCreateWindow(d, connection->root(), 1024, 0, 1024, 768, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapWindow(d, w);
    XSync(d, False);

    ASSERT_TRUE(server->run("xdotool mousemove 1536 384"));
    const std::optional<ScreenPoint> where = pointer->position();
    ASSERT_EQ(where, (ScreenPoint{1536, 384}));
    EXPECT_EQ(pixels->pixelAt(*where), 0xEFCDAB);
    // The same place relative to the first monitor shows that monitor's pixel.
    EXPECT_EQ(pixels->pixelAt({512, 384}), 0x563412);
    EXPECT_EQ(pixels->pixelAt({1023, 0}), 0x563412);
    EXPECT_EQ(pixels->pixelAt({1024, 0}), 0xEFCDAB);
    EXPECT_EQ(pixels->pixelAt({2047, 767}), 0xEFCDAB);
    EXPECT_EQ(pixels->pixelAt({2048, 0}), -1);
    XDestroyWindow(d, w);
    XSync(d, False);
}

} // namespace
} // namespace tinctora::platform::x11
