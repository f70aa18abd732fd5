// Text drawn from the font's glyphs without shaping lands where QPainter::drawText puts it, and
// text that needs shaping is left to drawText.
#include "widgets/unshaped_text.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace tinctora::widgets {
namespace {

constexpr QRect kBox(0, 0, 135, 40);

QImage drawn(const std::function<void(QPainter&)>& draw) {
    QImage image(kBox.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setPen(Qt::white);
    draw(painter);
    return image;
}

// The smallest rectangle that holds every lit pixel.
QRect inkOf(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 64)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST(UnshapedText, DrawsWhereDrawTextDoesAndLeavesShapingToIt) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(14);
    const UnshapedText text(font);
    const struct {
        QString text;
        int tolerance; // pixels each edge of the ink may lie off drawText's
    } cases[] = {
        {QStringLiteral("#858585  5 \u00D7 5\n133, 133, 133"), 1},
        {QStringLiteral("#FFFFFF  11 \u00D7 11\n255, 255, 255"), 1},
        // Arabic joins its letters: drawn by drawText itself, pixel for pixel.
        {QStringLiteral("\u0634\u0645\u0633"), 0},
    };
    for (const auto& c : cases) {
        const QImage ours = drawn([&](QPainter& p) { text.draw(p, kBox, c.text); });
        const QImage qts = drawn([&](QPainter& p) {
            p.setFont(font);
            p.drawText(kBox, Qt::AlignCenter, c.text);
        });
        const QRect expected = inkOf(qts);
        const QRect got = inkOf(ours);
        ASSERT_FALSE(expected.isEmpty()) << c.text.toStdString();
        EXPECT_LE(std::abs(got.left() - expected.left()), c.tolerance) << c.text.toStdString();
        EXPECT_LE(std::abs(got.right() - expected.right()), c.tolerance) << c.text.toStdString();
        EXPECT_LE(std::abs(got.top() - expected.top()), c.tolerance) << c.text.toStdString();
        EXPECT_LE(std::abs(got.bottom() - expected.bottom()), c.tolerance) << c.text.toStdString();
        if (c.tolerance == 0) {
            EXPECT_TRUE(ours == qts) << c.text.toStdString();
        }
    }
}

} // namespace
} // namespace tinctora::widgets
