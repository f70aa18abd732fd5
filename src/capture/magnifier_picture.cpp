#include "capture/magnifier_picture.h"

namespace tinctora::capture {

namespace {

constexpr QRgb kOffScreen = qRgb(32, 32, 32);
constexpr QRgb kHatch = qRgb(96, 96, 96);
constexpr int kHatchSpacing = 8;

// The grid's lines: grey 128 covering 110/255 of what lies under it, a shade away from every
// colour, so they show on black and on white alike.
constexpr int kLineGrey = 128;
constexpr int kLineCover = 110;

QRgb underGridLine(QRgb c) {
    const auto channel = [](int under) {
        return (kLineGrey * kLineCover + under * (255 - kLineCover) + 127) / 255;
    };
    return qRgb(channel(qRed(c)), channel(qGreen(c)), channel(qBlue(c)));
}

} // namespace

void drawMagnifiedGrid(QImage& picture, const MagnifierLayout& layout,
                       const std::vector<PixelRect>& monitors, int zoom,
                       const PictureColourAt& colourAt) {
    const QSize size(layout.grid.width, layout.grid.height);
    if (picture.size() != size || picture.format() != QImage::Format_RGB32)
        picture = QImage(size, QImage::Format_RGB32);
    for (int row = 0; row < layout.source.height; ++row) {
        for (int column = 0; column < layout.source.width; ++column) {
            const std::optional<PixelPoint> p = shownPixel(layout, monitors, column, row);
            const std::optional<QRgb> colour = p ? colourAt(*p) : std::nullopt;
            for (int dy = 0; dy < zoom; ++dy) {
                const int y = row * zoom + dy;
                if (y >= size.height())
                    break;
                auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
                for (int dx = 0; dx < zoom; ++dx) {
                    const int x = column * zoom + dx;
                    if (x >= size.width())
                        break;
                    QRgb c =
                        colour ? *colour : ((x + y) % kHatchSpacing == 0 ? kHatch : kOffScreen);
                    // Where a row's line crosses a column's, the pixel is under both.
                    if (dx == 0 && column > 0)
                        c = underGridLine(c);
                    if (dy == 0 && row > 0)
                        c = underGridLine(c);
                    line[x] = c;
                }
            }
        }
    }
}

} // namespace tinctora::capture
