#include "platform/wayland/portal_screen_grabber.h"

#include "platform/wayland/portal_request.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include <cmath>

namespace tinctora::platform::wayland {

namespace {

const QString kScreenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
constexpr int kScreenshotTimeoutMs = 30'000;
constexpr int kInteractiveTimeoutMs = 5 * 60'000;
constexpr uint kCancelled = 1;

std::vector<QRect> logicalScreens() {
    std::vector<QRect> screens;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        for (const QScreen* screen : QGuiApplication::screens())
            screens.push_back(screen->geometry());
    return screens;
}

// The portal hands over a file that is ours alone: read it, then remove it.
GrabOutcome loadScreenshot(const QVariantMap& results) {
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    if (!uri.isLocalFile())
        return GrabOutcome::failure(QStringLiteral("The desktop portal sent no screenshot file."));
    const QString path = uri.toLocalFile();
    QImage image(path);
    QFile::remove(path);
    if (image.isNull())
        return GrabOutcome::failure(
            QStringLiteral("The screenshot from the desktop portal could not be read."));
    FrozenScreen screen;
    screen.image = image.convertToFormat(QImage::Format_RGB32);
    screen.monitors = monitorsInScreenshot(screen.image.size(), logicalScreens());
    GrabOutcome outcome;
    outcome.status = GrabOutcome::Status::Grabbed;
    outcome.screen = std::move(screen);
    return outcome;
}

} // namespace

PortalScreenGrabber::PortalScreenGrabber(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {}

void PortalScreenGrabber::grabScreen(std::function<void(GrabOutcome)> done) {
    request(false, std::move(done));
}

void PortalScreenGrabber::request(bool interactive, std::function<void(GrabOutcome)> done) {
    const QVariantMap options{{QStringLiteral("interactive"), interactive},
                              {QStringLiteral("modal"), true}};
    PortalRequest::start(
        bus_, kScreenshotInterface, QStringLiteral("Screenshot"), {QString()}, options,
        interactive ? kInteractiveTimeoutMs : kScreenshotTimeoutMs,
        [this, interactive, done = std::move(done)](PortalReply reply) {
            switch (reply.status) {
            case PortalReply::Status::CallFailed:
                return done(GrabOutcome::failure(
                    describeCallFailure(reply.error, QStringLiteral("screenshots"))));
            case PortalReply::Status::TimedOut:
                return done(
                    GrabOutcome::failure(QStringLiteral("The desktop portal did not deliver the "
                                                        "screenshot in time.")));
            case PortalReply::Status::Answered:
                break;
            }
            if (reply.response == 0)
                return done(loadScreenshot(reply.results));
            if (reply.response == kCancelled) {
                GrabOutcome outcome;
                outcome.status = GrabOutcome::Status::Cancelled;
                return done(outcome);
            }
            if (!interactive)
                return request(true, std::move(done));
            done(GrabOutcome::failure(QStringLiteral("The desktop refused to take a screenshot.")));
        },
        this);
}

std::vector<ScreenRect> monitorsInScreenshot(QSize imageSize, const std::vector<QRect>& screens) {
    const ScreenRect whole{0, 0, imageSize.width(), imageSize.height()};
    QRect bounds;
    for (const QRect& screen : screens)
        bounds |= screen;
    if (bounds.isEmpty() || imageSize.isEmpty())
        return {whole};
    const double scale = double(imageSize.width()) / bounds.width();
    // One scale for both directions, to within rounding, or the layout is not what was shot.
    if (std::abs(bounds.height() * scale - imageSize.height()) > 1.0)
        return {whole};
    const auto scaled = [scale](int units) { return int(std::lround(units * scale)); };
    std::vector<ScreenRect> monitors;
    for (const QRect& screen : screens) {
        const int left = scaled(screen.x() - bounds.x());
        const int top = scaled(screen.y() - bounds.y());
        const int xEnd = scaled(screen.x() + screen.width() - bounds.x());
        const int yEnd = scaled(screen.y() + screen.height() - bounds.y());
        monitors.push_back(ScreenRect{left, top, xEnd - left, yEnd - top}.intersected(whole));
    }
    return monitors;
}

} // namespace tinctora::platform::wayland
