#include "widgets/cached_frame_style.h"

#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QWidget>

#include <cmath>
#include <functional>

namespace tinctora::widgets {

namespace {

constexpr qsizetype kMostPictures = 32;

QStyle* freshApplicationStyle() {
    // The proxy owns its base: it must not take the application's own instance.
    return QStyleFactory::create(QApplication::style()->name());
}

bool drawsFromOptionsAlone(const QStyle* style) {
    const QString name = style ? style->name().toLower() : QString();
    return name == "fusion" || name == "windows";
}

// The pixel format of what the painter draws on, when a picture blends there exactly as direct
// drawing would: an image in memory at one image pixel to a window pixel, moved by whole pixels
// only. A style draws a hairline at a fractional pixel ratio differently wherever it falls.
std::optional<QImage::Format> targetFormat(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice() ||
        engine->paintDevice()->devType() != QInternal::Image || !painter.device())
        return std::nullopt;
    const auto* target = static_cast<const QImage*>(engine->paintDevice());
    const QTransform toTarget = painter.deviceTransform();
    if (target->devicePixelRatio() != 1 || painter.device()->devicePixelRatio() != 1 ||
        toTarget.type() > QTransform::TxTranslate || toTarget.dx() != std::round(toTarget.dx()) ||
        toTarget.dy() != std::round(toTarget.dy()))
        return std::nullopt;
    return target->format();
}

// Whether every pixel is either fully covered or untouched, so that laying the picture over any
// background gives what drawing on that background would.
bool onlyOpaqueOrClear(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            if (alpha != 0 && alpha != 255)
                return false;
        }
    }
    return true;
}

CachedFrameStyle::PictureKey keyOf(int element, const QStyleOptionFrame& frame,
                                   QImage::Format format, QRgb background) {
    return {element,
            frame.rect.size(),
            format,
            unsigned(frame.state),
            frame.palette.cacheKey(),
            frame.lineWidth,
            frame.midLineWidth,
            int(frame.frameShape),
            background,
            int(frame.direction)};
}

// A picture of the frame's size, filled with the colour, with the frame drawn on it as if it
// stood at the picture's top left.
QImage drawnAtOrigin(const QStyleOptionFrame& frame, QImage::Format format, const QColor& fill,
                     const std::function<void(const QStyleOptionFrame&, QPainter&)>& draw) {
    QImage picture(frame.rect.size(), format);
    picture.fill(fill);
    QStyleOptionFrame atOrigin = frame;
    atOrigin.rect.moveTopLeft({0, 0});
    QPainter onPicture(&picture);
    draw(atOrigin, onPicture);
    onPicture.end();
    return picture;
}

// Copies the picture pixel for pixel. Without smoothing, which moving by whole pixels does not
// use anyway, Qt copies or blends it in one go instead of line by line on its worker threads.
void drawAtPlace(QPainter& painter, QPoint place, const QImage& picture) {
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(place, picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

} // namespace

size_t qHash(const CachedFrameStyle::PictureKey& key, size_t seed) {
    return qHashMulti(seed, key.element, key.size.width(), key.size.height(), key.state,
                      key.palette, key.lineWidth, key.shape, key.background);
}

CachedFrameStyle::CachedFrameStyle()
    : QProxyStyle(freshApplicationStyle()),
      enabled_(qEnvironmentVariableIntValue("TINCTORA_PAINT_UNCACHED") == 0 &&
               drawsFromOptionsAlone(baseStyle())) {}

void CachedFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    if (element == PE_PanelLineEdit && option && painter && widget &&
        drawPanelFromPicture(*option, *painter, *widget))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void CachedFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element == CE_ShapedFrame && option && painter && widget &&
        drawFrameFromPicture(*option, *painter, *widget))
        return;
    QProxyStyle::drawControl(element, option, painter, widget);
}

bool CachedFrameStyle::usable(const QStyleOption& option) const {
    return enabled_ && !(option.state & State_MouseOver) && !option.rect.isEmpty();
}

bool CachedFrameStyle::drawPanelFromPicture(const QStyleOption& option, QPainter& painter,
                                            const QWidget& widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
    if (!frame || !usable(option))
        return false;
    // The picture is made over the background the box filled itself, so that must be one solid,
    // opaque colour.
    const QBrush background = widget.palette().brush(widget.backgroundRole());
    if (!widget.autoFillBackground() || background.style() != Qt::SolidPattern ||
        !background.isOpaque())
        return false;
    const std::optional<QImage::Format> format = targetFormat(painter);
    if (!format)
        return false;

    const QImage& picture =
        kept(keyOf(PE_PanelLineEdit, *frame, *format, background.color().rgba()), [&] {
            return drawnAtOrigin(*frame, *format, background.color(),
                                 [&](const QStyleOptionFrame& atOrigin, QPainter& onPicture) {
                                     QProxyStyle::drawPrimitive(PE_PanelLineEdit, &atOrigin,
                                                                &onPicture, &widget);
                                 });
        });
    drawAtPlace(painter, option.rect.topLeft(), picture);
    return true;
}

bool CachedFrameStyle::drawFrameFromPicture(const QStyleOption& option, QPainter& painter,
                                            const QWidget& widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
    if (!frame || !usable(option) || !targetFormat(painter))
        return false;

    constexpr QImage::Format kWithAlpha = QImage::Format_ARGB32_Premultiplied;
    const QImage& picture = kept(keyOf(CE_ShapedFrame, *frame, kWithAlpha, 0), [&] {
        const QImage drawn = drawnAtOrigin(
            *frame, kWithAlpha, Qt::transparent,
            [&](const QStyleOptionFrame& atOrigin, QPainter& onPicture) {
                QProxyStyle::drawControl(CE_ShapedFrame, &atOrigin, &onPicture, &widget);
            });
        return onlyOpaqueOrClear(drawn) ? drawn : QImage();
    });
    if (picture.isNull())
        return false;
    drawAtPlace(painter, option.rect.topLeft(), picture);
    return true;
}

const QImage& CachedFrameStyle::kept(const PictureKey& key,
                                     const std::function<QImage()>& make) const {
    auto found = pictures_.constFind(key);
    if (found == pictures_.constEnd()) {
        if (pictures_.size() >= kMostPictures)
            pictures_.clear();
        found = pictures_.insert(key, make());
    }
    return *found;
}

} // namespace tinctora::widgets
