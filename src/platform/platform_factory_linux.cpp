#include "platform/platform_factory.h"

#include "platform/network/module_downloader.h"
#include "platform/qt/qt_desktop.h"
#include "platform/screen_grab.h"
#include "platform/wayland/pick_position.h"
#include "platform/wayland/portal_colour_picker.h"
#include "platform/wayland/portal_global_shortcuts.h"
#include "platform/wayland/portal_screen_grabber.h"
#include "platform/x11/x11_capture.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>

namespace tinctora::platform {

namespace {

// Stands in for the screen and keys when no X11 display can be read: nothing is under the
// pointer, no key is ever down and freezing the screen fails with the reason.
class NoCapture final : public Pointer,
                        public ScreenPixels,
                        public KeyState,
                        public ScreenGrabber,
                        public PointerMover {
public:
    explicit NoCapture(QString reason) : reason_(std::move(reason)) {}
    std::optional<ScreenPoint> position() override { return std::nullopt; }
    colour::ColourValue pixelAt(ScreenPoint) override { return colour::kNoColour; }
    // Events that never come: nothing wakes up to ask.
    Delivery delivery() const override { return Delivery::Events; }
    void listen(std::function<void(const KeyBatch&)>) override {}
    bool isDown(HotKey) override { return false; }
    bool downOrPressedSincePrevious(HotKey) override { return false; }
    void grabScreen(std::function<void(GrabOutcome)> done) override {
        GrabOutcome failed;
        failed.message = reason_;
        done(std::move(failed));
    }
    bool moveBy(int, int) override { return false; }

private:
    QString reason_;
};

// The desktop's portal does what X11 cannot do on Wayland: read the screen and bind keys.
struct PortalDesktop {
    wayland::PortalScreenGrabber grabber;
    wayland::PortalColourPicker picker;
    wayland::PortalGlobalShortcuts shortcuts;
    wayland::PickPosition pickPosition;
    WindowOnlyDesktop desktop{picker, shortcuts};
};

class DesktopBackend final : public PlatformBackend {
public:
    DesktopBackend() {
        const QString toolkit = QGuiApplication::platformName();
        x11::X11Opening opening;
        if (toolkit == "xcb")
            opening = x11::X11Capture::open();
        else
            opening = {nullptr, x11::X11Refusal::ScreenUnreadable, x11::screenUnreadableReason()};
        capture_ = std::move(opening.capture);
        QString reason = opening.reason;
        // Native Wayland, or Xwayland refusing its root window: the same portal path serves both.
        if ((toolkit == "wayland" || toolkit == "xcb") &&
            opening.refusal == x11::X11Refusal::ScreenUnreadable) {
            portal_ = std::make_unique<PortalDesktop>();
            reason.clear();
        }
        none_ = std::make_unique<NoCapture>(reason);
        if (!reason.isEmpty())
            std::fprintf(stderr, "tinctora: %s\n", qPrintable(reason));
        Pointer& pointer = capture_  ? capture_->pointer()
                           : portal_ ? static_cast<Pointer&>(portal_->pickPosition)
                                     : static_cast<Pointer&>(*none_);
        ScreenPixels& pixels = capture_ ? capture_->pixels() : static_cast<ScreenPixels&>(*none_);
        KeyState& keys = capture_ ? capture_->keys() : static_cast<KeyState&>(*none_);
        ScreenGrabber& grabber = capture_  ? capture_->screenGrabber()
                                 : portal_ ? static_cast<ScreenGrabber&>(portal_->grabber)
                                           : static_cast<ScreenGrabber&>(*none_);
        PointerMover& mover = capture_  ? capture_->pointerMover()
                              : portal_ ? static_cast<PointerMover&>(portal_->pickPosition)
                                        : static_cast<PointerMover&>(*none_);
        platform_ = std::make_unique<Platform>(
            Platform{pointer, pixels, keys, layer_, shell_, downloader_, dialogs_, grabber, mover,
                     reason, portal_ ? &portal_->desktop : nullptr});
        // The portal tells no display profile: its values stay as read.
        if (capture_)
            platform_->profiles = &capture_->displayProfiles();
    }
    Platform& platform() override { return *platform_; }

private:
    std::unique_ptr<NoCapture> none_;
    std::unique_ptr<x11::X11Capture> capture_;
    std::unique_ptr<PortalDesktop> portal_;
    qt::QtWindowLayer layer_;
    qt::QtShellOpen shell_;
    // The installation puts the network module in the program's own folder, and so does the build.
    network::ModuleDownloader downloader_{QCoreApplication::applicationDirPath()};
    qt::QtDialogs dialogs_;
    std::unique_ptr<Platform> platform_;
};

} // namespace

std::unique_ptr<PlatformBackend> makeDesktopPlatform() {
    return std::make_unique<DesktopBackend>();
}

QString desktopUnavailableReason() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return {};
    return x11::displayUnavailableReason();
}

} // namespace tinctora::platform
