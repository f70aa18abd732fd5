#pragma once

#include "platform/screen_grab.h"

#include <QDBusConnection>
#include <QObject>

namespace tinctora::platform::wayland {

// The whole desktop as one image, from the portal's Screenshot. Asks without a dialog first and,
// when the desktop refuses that, once more letting the desktop ask the user.
class PortalScreenGrabber final : public QObject, public ScreenGrabber {
public:
    explicit PortalScreenGrabber(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                 QObject* parent = nullptr);
    // Destroying the grabber while a screenshot is pending drops it without calling done.
    void grabScreen(std::function<void(GrabOutcome)> done) override;

private:
    void request(bool interactive, std::function<void(GrabOutcome)> done);

    QDBusConnection bus_;
};

// Where each monitor lies in a screenshot of the whole desktop, given the monitors' rectangles
// in the units the window system reports (on Wayland, scaled ones). The screenshot covers the
// bounding box of all monitors at one scale; when the rectangles do not fit it, the whole image
// is taken as one monitor.
std::vector<ScreenRect> monitorsInScreenshot(QSize imageSize, const std::vector<QRect>& screens);

} // namespace tinctora::platform::wayland
