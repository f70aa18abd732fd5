// The Win32 backend against the real system: Windows itself, or wine on an X display. The keys
// are sent with SendInput, so these tests type F2, F4 and F6 into whatever has the focus; they
// are meant for the test stage's own display.
#ifdef _WIN32

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_keys.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

namespace tinctora::platform::win32 {
namespace {

// Runs the event loop until `done` holds, for at most five seconds.
bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

void send(const std::vector<std::pair<WORD, bool>>& keys) {
    std::vector<INPUT> inputs;
    for (const auto& [virtualKey, down] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)),
              inputs.size());
}

KeyBatch joined(const std::vector<KeyBatch>& batches) {
    KeyBatch all;
    for (const KeyBatch& batch : batches)
        all.insert(all.end(), batch.begin(), batch.end());
    return all;
}

TEST(Win32Keys, RawInputHandsTheHotKeysToTheListenerFromTheEventLoop) {
    Win32Keys keys;
    ASSERT_EQ(keys.delivery(), KeyState::Delivery::Events);
    std::vector<KeyBatch> batches;
    keys.listen([&](const KeyBatch& batch) { batches.push_back(batch); });
    send({{VK_F5, true},
          {VK_F2, true},
          {VK_F6, true},
          {VK_F6, false},
          {VK_F5, false},
          {VK_F2, false}});
    EXPECT_TRUE(batches.empty()) << "heard only while the event loop runs";
    ASSERT_TRUE(waitFor([&] { return joined(batches).size() >= 4; }));
    const KeyBatch expected = {
        {HotKey::F2, true}, {HotKey::F6, true}, {HotKey::F6, false}, {HotKey::F2, false}};
    EXPECT_EQ(joined(batches), expected) << "F5 is no hot key";
    for (const KeyBatch& batch : batches)
        EXPECT_FALSE(batch.empty());

    EXPECT_FALSE(keys.isDown(HotKey::F2));
    EXPECT_TRUE(keys.downOrPressedSincePrevious(HotKey::F2)) << "the tap counts once";
    EXPECT_FALSE(keys.downOrPressedSincePrevious(HotKey::F2));
    EXPECT_FALSE(keys.downOrPressedSincePrevious(HotKey::F3));

    // Stopped listening: presses are still remembered for the next poll.
    keys.listen({});
    batches.clear();
    send({{VK_F4, true}, {VK_F4, false}});
    bool f4 = false;
    EXPECT_TRUE(waitFor([&] { return f4 = f4 || keys.downOrPressedSincePrevious(HotKey::F4); }));
    EXPECT_TRUE(batches.empty());
}

TEST(Win32Keys, AHeldKeyIsDownUntilReleased) {
    Win32Keys keys(Win32Keys::Source::KeyStateOnly);
    EXPECT_EQ(keys.delivery(), KeyState::Delivery::Polling);
    send({{VK_F3, true}});
    EXPECT_TRUE(waitFor([&] { return keys.isDown(HotKey::F3); }));
    EXPECT_TRUE(keys.downOrPressedSincePrevious(HotKey::F3));
    send({{VK_F3, false}});
    EXPECT_TRUE(waitFor([&] { return !keys.isDown(HotKey::F3); }));
}

TEST(Win32Pointer, ReadsAndMovesThePointerInScreenPixels) {
    ASSERT_TRUE(SetCursorPos(200, 150));
    Win32Pointer pointer;
    EXPECT_TRUE(waitFor([&] { return pointer.position() == ScreenPoint{200, 150}; }));
    Win32PointerMover mover;
    EXPECT_TRUE(mover.moveBy(7, -4));
    EXPECT_EQ(pointer.position(), (ScreenPoint{207, 146}));
}

// A plain window of one colour, shown above everything else.
class ColouredWindow {
public:
    explicit ColouredWindow(COLORREF colour) : brush_(CreateSolidBrush(colour)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = brush_;
        windowClass.lpszClassName = L"TinctoraTestColour";
        RegisterClassExW(&windowClass);
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"TinctoraTestColour", L"",
                                  WS_POPUP | WS_VISIBLE, 100, 120, 80, 60, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        UpdateWindow(window_);
    }
    ~ColouredWindow() {
        DestroyWindow(window_);
        UnregisterClassW(L"TinctoraTestColour", GetModuleHandleW(nullptr));
        DeleteObject(brush_);
    }
    ScreenPoint middle() const {
        RECT area{};
        GetWindowRect(window_, &area);
        return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    }

private:
    HBRUSH brush_;
    HWND window_ = nullptr;
};

TEST(Win32Screen, PixelsAndTheFrozenPictureShowWhatIsOnTheScreen) {
    const ColouredWindow window(RGB(0x12, 0x34, 0x56));
    const ScreenPoint at = window.middle();
    Win32Pixels pixels;
    ASSERT_TRUE(waitFor([&] { return pixels.pixelAt(at) == 0x563412; }))
        << std::hex << pixels.pixelAt(at);
    EXPECT_EQ(pixels.pixelAt({-100000, -100000}), -1) << "outside every monitor";

    Win32ScreenGrabber grabber;
    int calls = 0;
    GrabOutcome outcome;
    grabber.grabScreen([&](GrabOutcome o) {
        ++calls;
        outcome = std::move(o);
    });
    ASSERT_EQ(calls, 1) << "before grabScreen returns";
    ASSERT_EQ(outcome.status, GrabOutcome::Status::Grabbed) << outcome.message.toStdString();
    const FrozenScreen& screen = *outcome.screen;
    const QRect whole = toQRect(screen.area());
    EXPECT_EQ(whole,
              QRect(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    EXPECT_EQ(screen.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(screen.colourAt(at), colour::colourFromBytes(0x12, 0x34, 0x56));
    ASSERT_FALSE(screen.monitors.empty());
    bool onAMonitor = false;
    for (const ScreenRect& monitor : screen.monitors) {
        EXPECT_TRUE(whole.contains(toQRect(monitor)));
        onAMonitor = onAMonitor || monitor.contains(at);
    }
    EXPECT_TRUE(onAMonitor);
}

TEST(Win32ShellOpen, AMissingFileIsNotHandedToTheShell) {
    QTemporaryDir folder;
    Win32ShellOpen shell;
    std::vector<OpenOutcome> heard;
    shell.open(folder.path() + "/Help.pdf", [&](OpenOutcome o) { heard.push_back(o); });
    EXPECT_EQ(heard, std::vector<OpenOutcome>{OpenOutcome::FileNotFound}) << "at once";
}

// Where no program claims the kind of file (always so in a fresh wine prefix).
TEST(Win32ShellOpen, AFileNoProgramOpensIsReportedFromTheEventLoop) {
    QTemporaryDir folder;
    QFile file(folder.path() + "/manual.tinctora-unclaimed");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Win32ShellOpen shell;
    std::vector<OpenOutcome> heard;
    shell.open(file.fileName(), [&](OpenOutcome o) { heard.push_back(o); });
    EXPECT_TRUE(heard.empty());
    ASSERT_TRUE(waitFor([&] { return !heard.empty(); }));
    EXPECT_EQ(heard, std::vector<OpenOutcome>{OpenOutcome::NoProgram});
}

} // namespace
} // namespace tinctora::platform::win32

#endif
