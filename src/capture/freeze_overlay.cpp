#include "capture/freeze_overlay.h"
#include "capture/magnifier_picture.h"
#include "capture/overlay_placement.h"
#include "capture/sampling_aperture.h"

#include "colour/qt_colour.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <cmath>

namespace tinctora::capture {

namespace {

constexpr int kKeyboardGrabAttempts = 20;
constexpr int kKeyboardGrabRetryMs = 10;
constexpr int kLabelFontPixels = 14;

QFont labelFont(QFont font) {
    font.setPixelSize(kLabelFontPixels);
    return font;
}

// The one-pixel border of r, inside it. Qt blends any shape more than 96 rows tall on its worker
// threads and wakes them for it, even a line one pixel wide, which at every move of the pointer
// cost more than the rest of the magnifier together. A rectangle of an opaque colour it fills
// directly, so every line here is one.
void fillFrame(QPainter& painter, const QRect& r, const QColor& colour) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), colour);
    painter.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), colour);
}

// The overlay as a screen reader finds it: the magnifier, described by its readout, which is
// worked out only when it is read.
class MagnifierAccessible final : public QAccessibleWidget {
public:
    explicit MagnifierAccessible(FreezeOverlay* overlay)
        : QAccessibleWidget(overlay, QAccessible::Window) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description)
            return static_cast<FreezeOverlay*>(widget())->magnifierText().replace(
                u'\n', QStringLiteral(", "));
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* magnifierAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(FreezeOverlay::staticMetaObject.className()))
        if (auto* overlay = qobject_cast<FreezeOverlay*>(object))
            return new MagnifierAccessible(overlay);
    return nullptr;
}

} // namespace

FreezeOverlay::FreezeOverlay(platform::FrozenScreen screen, platform::Pointer& pointer,
                             platform::PointerMover& mover, const MagnifierShape& shape,
                             QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint),
      screen_(std::move(screen)), pointer_(pointer), mover_(mover), shape_(shape),
      labelFont_(labelFont(font())) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QStringLiteral("Freeze Screen and Pick"));
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(magnifierAccessible);
        return true;
    }();
    (void)accessibleInstalled;
    setAccessibleName(QStringLiteral("Magnifier"));
}

FreezeOverlay::~FreezeOverlay() = default;

void FreezeOverlay::open() {
    placeOverScreen();
    followPointer();
    // A Wayland compositor places windows itself: only full screen covers the output.
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        showFullScreen();
    else
        show();
    raise();
    activateWindow();
    setFocus();
    grabKeyboardWhenMapped(kKeyboardGrabAttempts);
}

void FreezeOverlay::placeOverScreen() {
    // The picture is drawn from where the window lands (nativeTopLeft_), which a scale that
    // does not divide the screens' offsets may put a pixel away from the picture's origin.
    const QList<QScreen*> qtScreens = QGuiApplication::screens();
    std::vector<ToolkitScreen> screens;
    for (QScreen* s : qtScreens)
        screens.push_back({platform::screenRectOf(s->geometry()), s->devicePixelRatio()});
    const OverlayPlacement placement =
        placeOverlay(screen_.area(), screens,
                     static_cast<int>(qtScreens.indexOf(QGuiApplication::primaryScreen())));
    if (placement.screen) {
        setScreen(qtScreens.at(*placement.screen));
        winId(); // the native window exists, so the move below goes through the toolkit's choice
    }
    setGeometry(platform::toQRect(placement.geometry));
    scale_ = placement.scale;
    nativeTopLeft_ = placement.nativeTopLeft;
}

void FreezeOverlay::grabKeyboardWhenMapped(int attemptsLeft) {
    // The server grants the grab only once the window is viewable, which may take a moment after
    // show().
    QWindow* window = windowHandle();
    if (finished_ || !window || window->setKeyboardGrabEnabled(true) || attemptsLeft <= 0)
        return;
    QPointer<FreezeOverlay> self(this);
    QTimer::singleShot(kKeyboardGrabRetryMs, this, [self, attemptsLeft] {
        if (self)
            self->grabKeyboardWhenMapped(attemptsLeft - 1);
    });
}

QString FreezeOverlay::magnifierText() const {
    const std::optional<colour::ColourValue> colour = sampledColour();
    if (!colour)
        return {};
    return QStringLiteral("#%1  %2 \u00D7 %2\n%3")
        .arg(QString::fromStdString(colour::hexText(*colour)))
        .arg(layout_.aperture.width)
        .arg(QString::fromStdString(colour::rgbTripleText(colour::rgbComponents(*colour))));
}

std::optional<colour::ColourValue> FreezeOverlay::sampledColour() const {
    if (!at_ || !screen_.colourAt(*at_))
        return std::nullopt;
    // The pointer's own pixel counts wherever the picture has it, as a one-pixel pick always
    // did; the rest of the square only where a monitor shows it (the magnifier hatches the rest).
    const ScreenPoint centre = *at_;
    const std::optional<colour::ColourValue> average =
        averageColour(layout_.aperture, [this, centre](ScreenPoint p) {
            return p == centre || onAMonitor(p, screen_.monitors) ? screen_.colourAt(p)
                                                                  : std::nullopt;
        });
    if (average && valueRule_)
        return valueRule_(*average, centre);
    return average;
}

QRect FreezeOverlay::toLogical(const ScreenRect& r) const {
    // A little larger than the exact division, so that repainting it covers every device pixel
    // the rectangle touches.
    const QPoint local = platform::toQPoint(r.topLeft()) - platform::toQPoint(nativeTopLeft_);
    const int left = static_cast<int>(std::floor(local.x() / scale_)) - 1;
    const int top = static_cast<int>(std::floor(local.y() / scale_)) - 1;
    const int right = static_cast<int>(std::ceil((local.x() + r.width) / scale_)) + 1;
    const int bottom = static_cast<int>(std::ceil((local.y() + r.height) / scale_)) + 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void FreezeOverlay::followPointer() {
    const std::optional<ScreenPoint> where = pointer_.position();
    if (!where)
        return; // keeps the last place; the pointer is on another screen or unreadable
    const ScreenPoint now = *where;
    if (at_ && *at_ == now)
        return;
    const std::optional<ScreenRect> before = at_ ? std::optional(layout_.panel) : std::nullopt;
    at_ = now;
    layOutMagnifierAt(now);
    // One rectangle around the old and the new place, not the two: Qt paints a region of
    // several rectangles through its general path, blending row by row on its worker threads,
    // where a single rectangle is copied straight from the picture.
    QRect dirty = toLogical(layout_.panel);
    if (before)
        dirty |= toLogical(*before);
    update(dirty);
}

void FreezeOverlay::layOutMagnifierAt(ScreenPoint pointer) {
    layout_ = layOutMagnifier(pointer, screen_.monitors, shape_, aperture_);
    drawMagnifiedGrid(magnified_, layout_, screen_.monitors, shape_.zoom,
                      [this](ScreenPoint p) { return screen_.colourAt(p); });
    // News for a screen reader only: nobody else is told of the readout at every move.
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void FreezeOverlay::setAperture(int size) {
    if (size == aperture_)
        return;
    aperture_ = size;
    if (!at_)
        return;
    layOutMagnifierAt(*at_);
    update(toLogical(layout_.panel));
}

void FreezeOverlay::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Device pixels from here on: one picture pixel per screen pixel at any scale.
    painter.scale(1.0 / scale_, 1.0 / scale_);
    const QRectF dirty = QRectF(event->rect()).adjusted(-1, -1, 1, 1);
    const QRect deviceDirty(QPoint(static_cast<int>(std::floor(dirty.left() * scale_)),
                                   static_cast<int>(std::floor(dirty.top() * scale_))),
                            QPoint(static_cast<int>(std::ceil(dirty.right() * scale_)),
                                   static_cast<int>(std::ceil(dirty.bottom() * scale_))));
    // The magnifier covers its panel whole: the picture is drawn only around it.
    const QPoint topLeft = platform::toQPoint(nativeTopLeft_);
    QRegion pictureShown(deviceDirty);
    if (at_)
        pictureShown -= platform::toQRect(layout_.panel).translated(-topLeft);
    const QPoint imageAt = platform::toQPoint(screen_.origin) - topLeft;
    for (const QRect& shown : pictureShown) {
        const QRect source = shown.translated(-imageAt) & screen_.image.rect();
        if (source.translated(imageAt) != shown)
            painter.fillRect(shown, Qt::black); // beyond the picture's edge
        if (!source.isEmpty())
            painter.drawImage(source.topLeft() + imageAt, screen_.image, source);
    }
    if (at_)
        paintMagnifier(painter);
}

void FreezeOverlay::paintMagnifier(QPainter& painter) const {
    painter.save();
    painter.translate(-platform::toQPoint(nativeTopLeft_));
    const ScreenRect& grid = layout_.grid;
    const ScreenRect& panel = layout_.panel;
    const int zoom = shape_.zoom;
    painter.drawImage(platform::toQPoint(grid.topLeft()), magnified_);
    // The centre pixel and the averaged square: black outside, white inside, visible on any
    // colour.
    const int half = shape_.gridPixels / 2;
    const QRect centre(grid.x + half * zoom, grid.y + half * zoom, zoom, zoom);
    fillFrame(painter, centre.adjusted(-1, -1, 1, 1), Qt::black);
    fillFrame(painter, centre, Qt::white);
    if (layout_.aperture.width > 1) {
        const QRect square = platform::toQRect(layout_.apertureOutline);
        fillFrame(painter, square.adjusted(-1, -1, 1, 1), Qt::black);
        fillFrame(painter, square, Qt::white);
    }

    const QRect label(panel.x, grid.yEnd(), panel.width, panel.height - grid.height);
    painter.fillRect(label, QColor(24, 24, 24));
    painter.setPen(Qt::white);
    painter.setFont(labelFont_);
    painter.drawText(label, Qt::AlignCenter, magnifierText());
    fillFrame(painter, platform::toQRect(panel), Qt::black);
    painter.restore();
}

void FreezeOverlay::mouseMoveEvent(QMouseEvent* event) {
    const QPointF local = event->position() * scale_;
    mover_.seenAt({nativeTopLeft_.x + static_cast<int>(std::lround(local.x())),
                   nativeTopLeft_.y + static_cast<int>(std::lround(local.y()))});
    followPointer();
}

void FreezeOverlay::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pick();
    else if (event->button() == Qt::RightButton)
        finish(false, colour::kNoColour);
}

void FreezeOverlay::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Escape:
        finish(false, colour::kNoColour);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pick();
        return;
    case Qt::Key_Plus:
        setAperture(largerAperture(aperture_));
        return;
    case Qt::Key_Minus:
        setAperture(smallerAperture(aperture_));
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int dx = event->key() == Qt::Key_Left    ? -step
                       : event->key() == Qt::Key_Right ? step
                                                       : 0;
        const int dy = event->key() == Qt::Key_Up ? -step : event->key() == Qt::Key_Down ? step : 0;
        // When the pointer cannot be moved the magnifier simply stays.
        if (mover_.moveBy(dx, dy))
            followPointer();
        return;
    }
    default:
        QWidget::keyPressEvent(event);
    }
}

void FreezeOverlay::wheelEvent(QWheelEvent* event) {
    // One size per notch (120 eighths of a degree); a fine-grained wheel or touchpad adds up.
    constexpr int kNotch = 120;
    wheelAngle_ += event->angleDelta().y();
    for (; wheelAngle_ >= kNotch; wheelAngle_ -= kNotch)
        setAperture(largerAperture(aperture_));
    for (; wheelAngle_ <= -kNotch; wheelAngle_ += kNotch)
        setAperture(smallerAperture(aperture_));
    event->accept();
}

void FreezeOverlay::pick() {
    followPointer();
    if (const std::optional<colour::ColourValue> colour = sampledColour())
        finish(true, *colour);
}

void FreezeOverlay::finish(bool pickedColour, colour::ColourValue colour) {
    if (finished_)
        return;
    finished_ = true;
    if (QWindow* window = windowHandle())
        window->setKeyboardGrabEnabled(false);
    // The picture can be large (4 bytes a pixel of every monitor): it goes as soon as the
    // overlay does, even when the widget itself lives on.
    screen_.image = QImage();
    hide();
    if (pickedColour)
        emit picked(colour);
    else
        emit cancelled();
    close();
}

void FreezeOverlay::closeEvent(QCloseEvent* event) {
    finish(false,
           colour::kNoColour); // closed from outside (the desktop, a signal): nothing was picked
    QWidget::closeEvent(event);
}

} // namespace tinctora::capture
