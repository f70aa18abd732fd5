#pragma once

#include "capture/magnifier_geometry.h"
#include "colour/colour_text.h"
#include "platform/platform.h"
#include "platform/screen_grab.h"

#include <QWidget>

#include <functional>
#include <optional>

class QPainter;

namespace tinctora::capture {

// A still picture of the whole screen, shown over it in a borderless topmost window, with a
// magnifier at the pointer. Picking reads the picture, never the live screen, so a menu that
// closes or a video that moves on no longer matters. All positions are screen pixels, read from
// the platform's pointer; the toolkit's scaled coordinates serve only to place the window.
class FreezeOverlay final : public QWidget {
    Q_OBJECT
public:
    FreezeOverlay(platform::FrozenScreen screen, platform::Pointer& pointer,
                  platform::PointerMover& mover, const MagnifierShape& shape = {},
                  QWidget* parent = nullptr);
    ~FreezeOverlay() override;

    // Covers the frozen screen, shows the magnifier at the pointer and takes the keyboard, so
    // Escape reaches the overlay whichever window had the focus.
    void open();

    // What the magnifier's label says: the colour a pick takes as "#RRGGBB" with the side of the
    // averaged square ("#858585  5 × 5"), and as "r, g, b" on a second line; empty while the
    // pointer is off the picture.
    QString magnifierText() const;

    // What a colour of the picture stands for, from its value as read and the screen pixel at
    // the centre of the square: applied to the average before it is shown or picked. The
    // picture itself stays as the screen showed it.
    using ValueRule = std::function<colour::ColourValue(colour::ColourValue, ScreenPoint)>;
    void setValueRule(ValueRule rule) { valueRule_ = std::move(rule); }

signals:
    // The frozen picture's colour at the pointer's screen pixel, or the average of the square
    // around it, as 0x00BBGGRR. The overlay closes after either signal; exactly one of them is
    // sent.
    void picked(tinctora::colour::ColourValue colour);
    void cancelled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void placeOverScreen();
    void grabKeyboardWhenMapped(int attemptsLeft);
    void followPointer();
    void layOutMagnifierAt(ScreenPoint pointer);
    void setAperture(int size);
    void pick();
    void finish(bool pickedColour, colour::ColourValue colour);
    std::optional<colour::ColourValue> sampledColour() const;
    QRect toLogical(const ScreenRect& screenRect) const;
    void paintMagnifier(QPainter& painter) const;

    platform::FrozenScreen screen_;
    platform::Pointer& pointer_;
    platform::PointerMover& mover_;
    MagnifierShape shape_;
    std::optional<ScreenPoint> at_;
    // The side of the square a pick averages; every freeze starts with the one pixel.
    int aperture_ = 1;
    // Wheel turns smaller than one notch, kept until they add up to one.
    int wheelAngle_ = 0;
    MagnifierLayout layout_;
    // The grid of the magnifier at layout_, drawn when the layout changes rather than at every
    // paint.
    QImage magnified_;
    QFont labelFont_; // the label under the grid: colour code, square size and components
    // The screen pixel under the window's top-left device pixel, and the toolkit's scale.
    ScreenPoint nativeTopLeft_;
    qreal scale_ = 1.0;
    bool finished_ = false;
    ValueRule valueRule_;
};

} // namespace tinctora::capture
