#include "capture/magnifier_picture.h"

#include "colour/qt_colour.h"

#include <algorithm>

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
                       const std::vector<ScreenRect>& monitors, int zoom,
                       const PictureColourAt& colourAt) {
    const int columns = layout.source.width;
    const int rows = layout.source.height;
    const QSize size(columns * zoom, rows * zoom);
    if (picture.size() != size || picture.format() != QImage::Format_RGB32)
        picture = QImage(size, QImage::Format_RGB32);
    if (picture.isNull())
        return;
    uchar* const bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    std::vector<std::optional<QRgb>> rowColours(static_cast<std::size_t>(columns));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const std::optional<ScreenPoint> p = shownPixel(layout, monitors, column, row);
            const std::optional<colour::ColourValue> colour = p ? colourAt(*p) : std::nullopt;
            rowColours[static_cast<std::size_t>(column)] =
                colour ? std::optional(colour::toQRgb(*colour)) : std::nullopt;
        }
        for (int dy = 0; dy < zoom; ++dy) {
            const int y = row * zoom + dy;
            auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
            // A row's line runs along the top of its cells, a column's down their left side;
            // where the two cross, the pixel is under both.
            const bool underRowLine = dy == 0 && row > 0;
            for (int column = 0; column < columns; ++column) {
                QRgb* cell = line + column * zoom;
                if (const std::optional<QRgb>& colour =
                        rowColours[static_cast<std::size_t>(column)]) {
                    const QRgb shown = underRowLine ? underGridLine(*colour) : *colour;
                    std::fill_n(cell, zoom, shown);
                    if (column > 0)
                        cell[0] = underGridLine(shown);
                    continue;
                }
                for (int dx = 0; dx < zoom; ++dx) {
                    const int x = column * zoom + dx;
                    QRgb c = (x + y) % kHatchSpacing == 0 ? kHatch : kOffScreen;
                    if (dx == 0 && column > 0)
                        c = underGridLine(c);
                    cell[dx] = underRowLine ? underGridLine(c) : c;
                }
            }
        }
    }
}

} // namespace tinctora::capture
