#include "platform/win32/win32_desktop.h"

#include "platform/grabbed_screen.h"
#include "platform/win32/win32_screen_copy.h"

namespace tinctora::platform::win32 {

namespace {

const QString kRefused = QStringLiteral(
    "The screen could not be frozen because Windows refused to hand over its picture.");

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
    // A monitor added or removed meanwhile would leave part of the screen out of the picture.
    if (virtualScreenArea() != copy.area)
        return GrabOutcome::failure(screenResizedWhileRead());

    GrabOutcome outcome;
    outcome.status = GrabOutcome::Status::Grabbed;
    outcome.screen = frozenScreenOf(std::move(picture), copy.area.topLeft(), monitorAreas());
    return outcome;
}

} // namespace tinctora::platform::win32
