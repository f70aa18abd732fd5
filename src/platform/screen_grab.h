#pragma once

// Freezing the whole screen for picking from a still picture: one grab of every monitor at once,
// in screen pixels, and moving the pointer by whole screen pixels while the picture is shown.
// X11 reads the root window; a desktop portal hands over a screenshot later.

#include "colour/qt_colour.h"
#include "platform/qt_screen_geometry.h"
#include "platform/screen_geometry.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tinctora::platform {

struct FrozenScreen {
    QImage image;                     // QImage::Format_RGB32, one image pixel per screen pixel
    ScreenPoint origin;               // the screen pixel of image pixel (0,0)
    std::vector<ScreenRect> monitors; // each monitor's rectangle

    // The screen pixels the picture covers.
    ScreenRect area() const { return {origin.x, origin.y, image.width(), image.height()}; }
    // The picture's colour at a screen pixel; nothing off the picture.
    std::optional<colour::ColourValue> colourAt(ScreenPoint p) const {
        if (!area().contains(p))
            return std::nullopt;
        return colour::fromQRgb(image.pixel(p.x - origin.x, p.y - origin.y));
    }
};

struct GrabOutcome {
    enum class Status { Grabbed, Cancelled, Failed };
    Status status = Status::Failed;
    std::optional<FrozenScreen> screen; // set when Grabbed
    QString message; // for the user when Failed: what went wrong, in one sentence

    static GrabOutcome failure(QString message) {
        GrabOutcome outcome;
        outcome.status = Status::Failed;
        outcome.message = std::move(message);
        return outcome;
    }
};

// Why a grab failed, in the words every desktop's grab uses for these reasons.
inline QString screenResizedWhileRead() {
    return QStringLiteral(
        "The screen could not be frozen because it changed size while it was being read; try "
        "again.");
}
inline QString noMemoryForScreenPicture() {
    return QStringLiteral(
        "The screen could not be frozen because there is not enough memory for its picture.");
}

class ScreenGrabber {
public:
    virtual ~ScreenGrabber() = default;
    // Calls done exactly once: at once (X11) or later from the event loop (a desktop portal).
    virtual void grabScreen(std::function<void(GrabOutcome)> done) = 0;
};

// Moves the pointer by whole screen pixels (arrow keys in the frozen overlay). False when it
// cannot.
class PointerMover {
public:
    virtual ~PointerMover() = default;
    virtual bool moveBy(int dx, int dy) = 0;
    // Where the frozen overlay saw the pointer, in screen pixels: for a desktop that does not
    // tell where its pointer is, the overlay's own mouse events are the only source.
    virtual void seenAt(ScreenPoint) {}
};

} // namespace tinctora::platform
