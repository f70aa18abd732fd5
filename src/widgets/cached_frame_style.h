#pragma once

#include <QHash>
#include <QImage>
#include <QProxyStyle>

#include <functional>
#include <optional>

namespace tinctora::widgets {

// Draws the frames of the boxes that follow the pointer (the colour box and the read-out text
// boxes) from pictures it keeps, made by the desktop's style itself. The live colour changes
// these boxes 25 times a second; drawing their frames anew, the read-outs' antialiased rounded
// ones above all, cost more than half of each repaint, though no frame changes while the
// pointer moves. Pictures are used only where they give exactly the pixels direct drawing
// gives: with Qt's own Fusion and Windows styles, which draw a frame from its size, state and
// palette alone (a desktop style may animate focus and hover), on an image in memory at one
// image pixel to a window pixel, and not under the mouse. Anything else, a high-resolution
// screen included, is drawn directly.
//
// TINCTORA_PAINT_UNCACHED=1 in the environment draws everything directly: a switch for telling a
// drawing fault of a desktop style from one of these pictures.
class CachedFrameStyle : public QProxyStyle {
public:
    // A proxy of a fresh instance of the application's style.
    CachedFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

    // What sets a picture apart from the others.
    struct PictureKey {
        int element = 0;
        QSize size;
        QImage::Format format = QImage::Format_Invalid;
        unsigned state = 0;
        qint64 palette = 0;
        int lineWidth = 0;
        int midLineWidth = 0;
        int shape = 0;
        QRgb background = 0;
        int direction = 0;
        bool operator==(const PictureKey&) const = default;
    };

private:
    // Draws a text box's panel over its own opaque background.
    bool drawPanelFromPicture(const QStyleOption& option, QPainter& painter,
                              const QWidget& widget) const;
    // Draws a frame over whatever lies beneath it.
    bool drawFrameFromPicture(const QStyleOption& option, QPainter& painter,
                              const QWidget& widget) const;
    bool usable(const QStyleOption& option) const;
    // The picture kept under the key, made first when there is none.
    const QImage& kept(const PictureKey& key, const std::function<QImage()>& make) const;

    const bool enabled_;
    // A handful of entries: one per box size, state and palette. Cleared when it outgrows what
    // one window can need, as after style or palette changes. A null image stands for a frame
    // that cannot be kept as a picture (it has see-through edges).
    mutable QHash<PictureKey, QImage> pictures_;
};

size_t qHash(const CachedFrameStyle::PictureKey& key, size_t seed = 0);

} // namespace tinctora::widgets
