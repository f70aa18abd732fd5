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
#include "platform/x11/x11_pointer_mover.h"
#include "platform/x11/x11_screen_grab.h"
#include "tools/root_picture.h"
#include "xvfb_server.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace tinctora::platform::x11 {
namespace {

using testing::paintRoot;
using testing::XvfbServer;
using GrabStatus = decltype(GrabOutcome::status); // Xlib makes "Status" a macro

// On a 24-bit screen: red and green are the low bytes of x and y, blue holds their high bits,
// so every pixel of a screen up to 4096 wide says where it is.
unsigned long coordinatePixel(int x, int y) {
    return static_cast<unsigned long>(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | ((x >> 8) << 4) |
                                      (y >> 8));
}
QRgb coordinateColour(int x, int y) {
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) << 4) | (y >> 8));
}

// Where image differs from expected, as "x,y", or "" when every pixel matches.
std::string firstDifference(const QImage& image,
                            const std::function<QRgb(int x, int y)>& expected) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] != expected(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    }
    return {};
}

// A colour value (0x00BBGGRR) as Qt's 0xAARRGGBB.
QRgb rgbOfValue(std::int32_t v) {
    return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

GrabOutcome grabOnce(ScreenGrabber& grabber) {
    int calls = 0;
    GrabOutcome got;
    grabber.grabScreen([&](GrabOutcome outcome) {
        ++calls;
        got = std::move(outcome);
    });
    EXPECT_EQ(calls, 1);
    return got;
}

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
        EXPECT_EQ(pixels->pixelAt(p), colour::kNoColour) << p.x << "," << p.y;
    EXPECT_EQ(connection->errors().count(), 0u);
    EXPECT_EQ(pixels->pixelAt({5, 5}), 0x563412);
}

TEST_F(TrueColourScreen, FollowsTheScreenWhenItChangesSize) {
    ASSERT_TRUE(run("xsetroot -solid '#123456'"));
    ASSERT_EQ(pixels->pixelAt({900, 700}), 0x563412);
    // xrandr complains about the output that no longer fits, but the screen does shrink.
    run("xrandr --fb 800x600");
    EXPECT_EQ(pixels->pixelAt({900, 700}), colour::kNoColour);
    EXPECT_EQ(pixels->pixelAt({799, 599}), 0x563412);
    run("xrandr --fb 1024x768");
    ASSERT_TRUE(run("xsetroot -solid '#123456'"));
    EXPECT_EQ(pixels->pixelAt({900, 700}), 0x563412);
    EXPECT_EQ(pixels->pixelAt({1024, 700}), colour::kNoColour);
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
    for (HotKey k : {HotKey::F2, HotKey::F3, HotKey::F4, HotKey::F6})
        keys->downOrPressedSincePrevious(k);
    ASSERT_TRUE(run("xdotool key F3"));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F2));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F4));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F6));
    EXPECT_TRUE(keys->downOrPressedSincePrevious(HotKey::F3));
    ASSERT_TRUE(run("xdotool key F6"));
    EXPECT_FALSE(keys->downOrPressedSincePrevious(HotKey::F3));
    EXPECT_TRUE(keys->downOrPressedSincePrevious(HotKey::F6));
    // Other keys count for none of them.
    ASSERT_TRUE(run("xdotool key F1 F5 F7 a Return"));
    for (HotKey k : {HotKey::F2, HotKey::F3, HotKey::F4, HotKey::F6}) {
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
    EXPECT_NE(pixels->pixelAt({5, 5}), colour::kNoColour);
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
    X11Opening opening = X11Capture::open(server->name().c_str());
    ASSERT_TRUE(opening.capture) << opening.reason.toStdString();
    EXPECT_EQ(opening.refusal, X11Refusal::NotRefused);
    EXPECT_EQ(opening.reason, "");
    std::unique_ptr<X11Capture> capture = std::move(opening.capture);
    ASSERT_TRUE(run("xsetroot -solid '#123456' && xdotool mousemove 600 400"));
    const std::optional<ScreenPoint> where = capture->pointer().position();
    ASSERT_EQ(where, (ScreenPoint{600, 400}));
    EXPECT_EQ(capture->pixels().pixelAt(*where), 0x563412);
    capture->keys().downOrPressedSincePrevious(HotKey::F2);
    ASSERT_TRUE(run("xdotool key F2"));
    EXPECT_TRUE(capture->keys().downOrPressedSincePrevious(HotKey::F2));
    const GrabOutcome frozen = grabOnce(capture->screenGrabber());
    ASSERT_EQ(frozen.status, GrabStatus::Grabbed) << frozen.message.toStdString();
    EXPECT_EQ(frozen.screen->image.pixel(600, 400), qRgb(0x12, 0x34, 0x56));
    EXPECT_TRUE(capture->pointerMover().moveBy(-1, 1));
    EXPECT_EQ(capture->pointer().position(), (ScreenPoint{599, 401}));
}

// Shared memory segments this process made that still exist (a removed segment stays while
// attached). A grab through shared memory keeps its segment as long as its picture lives.
int ownSharedSegments() {
    std::ifstream table("/proc/sysvipc/shm");
    std::string line;
    std::getline(table, line); // the header
    int count = 0;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        long key = 0, id = 0, permissions = 0, size = 0, creator = 0;
        if (fields >> key >> id >> permissions >> size >> creator && creator == ::getpid())
            ++count;
    }
    return count;
}

TEST_F(TrueColourScreen, FreezesEveryPixelOfTheScreenWithAndWithoutSharedMemory) {
    paintRoot(connection->display(), 1024, 768, coordinatePixel);
    const int before = ownSharedSegments();
    X11ScreenGrabber shared(*connection);
    const GrabOutcome fast = grabOnce(shared);
    ASSERT_EQ(fast.status, GrabStatus::Grabbed) << fast.message.toStdString();
    EXPECT_EQ(ownSharedSegments(), before + 1) << "read through shared memory";
    X11ScreenGrabber plain(*connection, X11ScreenGrabber::Transfer::PlainOnly);
    const GrabOutcome slow = grabOnce(plain);
    ASSERT_EQ(slow.status, GrabStatus::Grabbed) << slow.message.toStdString();
    EXPECT_EQ(ownSharedSegments(), before + 1) << "read through the socket";

    for (const GrabOutcome* outcome : {&fast, &slow}) {
        const FrozenScreen& frozen = *outcome->screen;
        EXPECT_EQ(frozen.image.size(), QSize(1024, 768));
        EXPECT_EQ(frozen.image.format(), QImage::Format_RGB32);
        EXPECT_EQ(frozen.origin, (ScreenPoint{0, 0}));
        // One output and no monitors set up: the whole screen is the one monitor.
        EXPECT_EQ(frozen.monitors, (std::vector<ScreenRect>{ScreenRect{0, 0, 1024, 768}}));
        EXPECT_EQ(firstDifference(frozen.image, coordinateColour), "");
    }
    // The picture agrees with the live read.
    for (const ScreenPoint p : {ScreenPoint{0, 0}, ScreenPoint{1023, 767}, ScreenPoint{301, 517}})
        EXPECT_EQ(fast.screen->image.pixel(p.x, p.y), rgbOfValue(pixels->pixelAt(p)));
    EXPECT_EQ(connection->errors().count(), 0u);
}

TEST_F(TrueColourScreen, TheFrozenPictureIsFreedWithItsLastCopy) {
    ASSERT_TRUE(run("xsetroot -solid '#123456'"));
    X11ScreenGrabber grabber(*connection);
    const int before = ownSharedSegments();
    std::optional<GrabOutcome> outcome = grabOnce(grabber);
    ASSERT_EQ(outcome->status, GrabStatus::Grabbed);
    ASSERT_EQ(ownSharedSegments(), before + 1) << "read through shared memory";
    QImage copy = outcome->screen->image;
    outcome.reset();
    EXPECT_EQ(ownSharedSegments(), before + 1);
    EXPECT_EQ(copy.pixel(5, 5), qRgb(0x12, 0x34, 0x56));
    copy = QImage();
    EXPECT_EQ(ownSharedSegments(), before);
    // A failed or plain grab leaves none behind either.
    X11ScreenGrabber plain(*connection, X11ScreenGrabber::Transfer::PlainOnly);
    grabOnce(plain);
    EXPECT_EQ(ownSharedSegments(), before);
}

TEST_F(TrueColourScreen, AFreezeIsTheScreenAsItWasAndFollowsItsSize) {
    ASSERT_TRUE(run("xsetroot -solid '#123456'"));
    X11ScreenGrabber grabber(*connection);
    const GrabOutcome before = grabOnce(grabber);
    ASSERT_TRUE(run("xsetroot -solid '#abcdef'"));
    ASSERT_EQ(before.status, GrabStatus::Grabbed);
    EXPECT_EQ(before.screen->image.pixel(10, 10), qRgb(0x12, 0x34, 0x56));

    run("xrandr --fb 800x600");
    const GrabOutcome smaller = grabOnce(grabber);
    run("xrandr --fb 1024x768");
    ASSERT_EQ(smaller.status, GrabStatus::Grabbed) << smaller.message.toStdString();
    EXPECT_EQ(smaller.screen->image.size(), QSize(800, 600));
    EXPECT_EQ(smaller.screen->image.pixel(799, 599), qRgb(0xAB, 0xCD, 0xEF));
    for (const ScreenRect& monitor : smaller.screen->monitors)
        EXPECT_EQ(monitor.intersected({0, 0, 800, 600}), monitor);
}

TEST_F(TrueColourScreen, ThePointerMovesByWholeScreenPixelsAndStopsAtTheEdge) {
    X11PointerMover mover(*connection);
    ASSERT_TRUE(run("xdotool mousemove 300 200"));
    EXPECT_TRUE(mover.moveBy(1, 0));
    EXPECT_EQ(pointer->position(), (ScreenPoint{301, 200}));
    EXPECT_TRUE(mover.moveBy(-10, 10));
    EXPECT_EQ(pointer->position(), (ScreenPoint{291, 210}));
    ASSERT_TRUE(run("xdotool mousemove 2 1020"));
    EXPECT_TRUE(mover.moveBy(-10, 0));
    EXPECT_EQ(pointer->position(), (ScreenPoint{0, 767}));
}

// A server with a display but no screen to show: Xwayland under a Wayland compositor refuses
// every read of the root window.
class RefusingScreen final : public ScreenPixels {
public:
    colour::ColourValue pixelAt(ScreenPoint) override { return colour::kNoColour; }
};

TEST_F(TrueColourScreen, AScreenIsReadableWhenOnePixelCanBeReadEvenABlackOne) {
    ASSERT_TRUE(run("xsetroot -solid '#000000'"));
    EXPECT_TRUE(screenReadable(*pixels));
    RefusingScreen refusing;
    EXPECT_FALSE(screenReadable(refusing));
    const QString reason = screenUnreadableReason();
    EXPECT_TRUE(reason.contains("XWayland")) << reason.toStdString();
    EXPECT_TRUE(reason.contains("Capture stays stopped")) << reason.toStdString();
}

TEST(X11CaptureOpen, NoDisplayGivesAReasonInsteadOfABackend) {
    const X11Opening opening = X11Capture::open(":4095");
    EXPECT_EQ(opening.capture, nullptr);
    EXPECT_EQ(opening.refusal, X11Refusal::NoDisplay);
    const QString& reason = opening.reason;
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

TEST_F(SixteenBitScreen, FreezesWithTheLiveReadsConversion) {
    // Every one of the 65536 pixel values appears on the 640 x 480 screen.
    const auto valueAt = [](int x, int y) {
        return static_cast<unsigned long>((y * 640 + x) & 0xFFFF);
    };
    paintRoot(connection->display(), 640, 480, valueAt);
    for (const auto transfer : {X11ScreenGrabber::Transfer::SharedMemoryWhenOffered,
                                X11ScreenGrabber::Transfer::PlainOnly}) {
        X11ScreenGrabber grabber(*connection, transfer);
        const GrabOutcome outcome = grabOnce(grabber);
        ASSERT_EQ(outcome.status, GrabStatus::Grabbed) << outcome.message.toStdString();
        const QImage& image = outcome.screen->image;
        ASSERT_EQ(image.size(), QSize(640, 480));
        // 0x11AA, the stored form of #123456, shows as #103452.
        EXPECT_EQ(image.pixel(42, 7), qRgb(0x10, 0x34, 0x52));
        EXPECT_EQ(image.pixel(255, 102), qRgb(0xFF, 0xFF, 0xFF)); // 0xFFFF
        EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
        for (int y = 0; y < 480; y += 13)
            for (int x = y % 7; x < 640; x += 37)
                ASSERT_EQ(image.pixel(x, y), rgbOfValue(pixels->pixelAt({x, y}))) << x << "," << y;
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
    EXPECT_EQ(pixels->pixelAt({2048, 0}), colour::kNoColour);
    XDestroyWindow(d, w);
    XSync(d, False);
}

TEST_F(TwoMonitors, FreezesBothMonitorsAndTellsWhereEachIs) {
    paintRoot(connection->display(), 2048, 768, coordinatePixel);
    X11ScreenGrabber grabber(*connection);
    const GrabOutcome outcome = grabOnce(grabber);
    ASSERT_EQ(outcome.status, GrabStatus::Grabbed) << outcome.message.toStdString();
    const FrozenScreen& frozen = *outcome.screen;
    std::vector<ScreenRect> monitors = frozen.monitors;
    std::sort(monitors.begin(), monitors.end(),
              [](const ScreenRect& a, const ScreenRect& b) { return a.x < b.x; });
    EXPECT_EQ(monitors, (std::vector<ScreenRect>{{0, 0, 1024, 768}, {1024, 0, 1024, 768}}));
    EXPECT_EQ(firstDifference(frozen.image, coordinateColour), "");
    ASSERT_TRUE(server->run("xdotool mousemove 1537 383"));
    const std::optional<ScreenPoint> where = pointer->position();
    ASSERT_EQ(where, (ScreenPoint{1537, 383}));
    EXPECT_EQ(frozen.image.pixel(where->x - frozen.origin.x, where->y - frozen.origin.y),
              coordinateColour(1537, 383));
}

// --- A server without shared memory, and a client it does not trust --------------------------

class WithoutSharedMemory : public OnXvfb {
protected:
    static void SetUpTestSuite() {
        server = startServer({"-screen", "0", "640x480x24", "-extension", "MIT-SHM"});
    }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override { openOn(*server); }
    static std::unique_ptr<XvfbServer> server;
};
std::unique_ptr<XvfbServer> WithoutSharedMemory::server;

TEST_F(WithoutSharedMemory, FreezesThroughThePlainRead) {
    paintRoot(connection->display(), 640, 480, coordinatePixel);
    const int before = ownSharedSegments();
    X11ScreenGrabber grabber(*connection);
    const GrabOutcome outcome = grabOnce(grabber);
    ASSERT_EQ(outcome.status, GrabStatus::Grabbed) << outcome.message.toStdString();
    EXPECT_EQ(ownSharedSegments(), before) << "no shared memory without the extension";
    EXPECT_EQ(firstDifference(outcome.screen->image, coordinateColour), "");
    EXPECT_EQ(connection->errors().count(), 0u);
}

// The X SECURITY extension's untrusted clients (such as programs run through "ssh -X") may not
// read other clients' pixels, nor use shared memory or RandR.
class UntrustedClient : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char folder[] = "/tmp/tinctora-x11-auth.XXXXXX";
        if (!::mkdtemp(folder))
            return;
        authFolder = folder;
        const std::string trusted = authFolder + "/trusted";
        // The server takes every cookie in its file whatever display it names; the display
        // number is known only once it runs.
        if (std::system(("xauth -q -f " + trusted + " add :0 . $(mcookie) 2>/dev/null").c_str()) !=
            0)
            return;
        server = std::make_unique<XvfbServer>(
            std::vector<std::string>{"-screen", "0", "320x240x24", "-auth", trusted});
        untrustedMade =
            server->running() &&
            std::system(("xauth -q -f " + trusted + " add " + server->name() + " . $(xauth -f " +
                         trusted + " list | awk '{print $3}' | head -n 1) && " + "XAUTHORITY=" +
                         trusted + " xauth -q -f " + authFolder + "/untrusted generate " +
                         server->name() + " . untrusted timeout 0 2>/dev/null")
                            .c_str()) == 0;
    }
    static void TearDownTestSuite() {
        server.reset();
        if (!authFolder.empty())
            std::system(("rm -rf " + authFolder).c_str());
    }
    static std::unique_ptr<XvfbServer> server;
    static std::string authFolder;
    static bool untrustedMade;
};
std::unique_ptr<XvfbServer> UntrustedClient::server;
std::string UntrustedClient::authFolder;
bool UntrustedClient::untrustedMade = false;

TEST_F(UntrustedClient, ARefusedFreezeIsAFailureWithAMessageAndTheConnectionGoesOn) {
    ASSERT_TRUE(untrustedMade);
    const char* previous = std::getenv("XAUTHORITY");
    const std::string kept = previous ? previous : "";
    ::setenv("XAUTHORITY", (authFolder + "/untrusted").c_str(), 1);
    QString reason;
    std::unique_ptr<Connection> connection = Connection::open(server->name().c_str(), &reason);
    if (previous)
        ::setenv("XAUTHORITY", kept.c_str(), 1);
    else
        ::unsetenv("XAUTHORITY");
    ASSERT_TRUE(connection) << reason.toStdString();

    const int before = ownSharedSegments();
    X11ScreenGrabber grabber(*connection);
    const GrabOutcome outcome = grabOnce(grabber);
    EXPECT_EQ(outcome.status, GrabStatus::Failed);
    EXPECT_FALSE(outcome.screen.has_value());
    EXPECT_EQ(outcome.message.toStdString(),
              "The screen could not be frozen because the X server refused to hand over its "
              "picture.");
    EXPECT_EQ(ownSharedSegments(), before);
    X11Pointer pointer(*connection);
    EXPECT_TRUE(pointer.position().has_value());
}

} // namespace
} // namespace tinctora::platform::x11
