#include "platform/win32/win32_desktop.h"

#include "platform/win32/win32_monitor_layout.h"
#include "platform/win32/win32_screen_copy.h"

namespace tinctora::platform::win32 {

namespace {

const QString kRefused = QStringLiteral(
    "The screen could not be frozen because Windows refused to hand over its picture.");

QRect rectOf(const ScreenArea& area) {
    return QRect(area.x, area.y, area.width, area.height);
}

// GDI leaves the top byte of each pixel 0; QImage's RGB32 has it 0xFF.
void makeOpaque(QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] |= 0xFF000000u;
    }
}

} // namespace

void Win32ScreenGrabber::grabScreen(std::function<void(GrabOutcome)> done) {
    done(grab());
}

GrabOutcome Win32ScreenGrabber::grab() {
    const ScreenCopy copy = copyVirtualScreen();
    if (copy.status == ScreenCopy::Status::NoMemory)
        return GrabOutcome::failure(noMemoryForScreenPicture());
    if (copy.status != ScreenCopy::Status::Copied)
        return GrabOutcome::failure(kRefused);
    // The bitmap's pixels are RGB32 as they stand: the bitmap becomes the picture's memory and
    // is freed with its last copy.
    QImage picture(copy.bits, copy.area.width, copy.area.height, copy.area.width * 4,
                   QImage::Format_RGB32, &freeScreenCopy, copy.bitmap);
    if (picture.isNull()) {
        freeScreenCopy(copy.bitmap);
        return GrabOutcome::failure(noMemoryForScreenPicture());
    }
    makeOpaque(picture);
    // A monitor added or removed meanwhile would leave part of the screen out of the picture.
    if (virtualScreenArea() != copy.area)
        return GrabOutcome::failure(screenResizedWhileRead());

    std::vector<QRect> reported;
    for (const ScreenArea& monitor : monitorAreas())
        reported.push_back(rectOf(monitor));
    const QRect whole = rectOf(copy.area);
    GrabOutcome outcome;
    outcome.status = GrabOutcome::Status::Grabbed;
    outcome.screen =
        FrozenScreen{std::move(picture), whole.topLeft(), monitorsWithin(whole, reported)};
    return outcome;
}

} // namespace tinctora::platform::win32
