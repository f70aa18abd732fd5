#include "widgets/unshaped_text.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRect>

#include <cmath>
#include <vector>

namespace tinctora::widgets {

namespace {

// Characters that look the same whether shaped or not: no joining, no marks, no ligatures that
// matter at a label's size.
bool needsNoShaping(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0x24F || c.category() == QChar::Mark_NonSpacing)
            return false;
    return true;
}

} // namespace

UnshapedText::UnshapedText(const QFont& font) : font_(font), raw_(QRawFont::fromFont(font)) {}

void UnshapedText::draw(QPainter& painter, const QRect& box, const QString& text) const {
    const QStringList lines = text.split(QLatin1Char('\n'));
    std::vector<QGlyphRun> runs;
    bool drawable = raw_.isValid() && needsNoShaping(text);
    for (const QString& line : lines) {
        if (!drawable)
            break;
        QGlyphRun run;
        const QList<quint32> glyphs = raw_.glyphIndexesForString(line);
        if (glyphs.contains(0u)) {
            drawable = false; // the font lacks a character: let Qt find another font
            break;
        }
        const QList<QPointF> advances =
            raw_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
        QList<QPointF> positions;
        QPointF pen;
        for (const QPointF& advance : advances) {
            positions.append(pen);
            pen += advance;
        }
        run.setRawFont(raw_);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        run.setBoundingRect(QRectF(0, -raw_.ascent(), pen.x(), raw_.ascent() + raw_.descent()));
        runs.push_back(run);
    }
    if (!drawable) {
        painter.save();
        painter.setFont(font_);
        painter.drawText(box, Qt::AlignCenter, text);
        painter.restore();
        return;
    }
    const qreal lineHeight = raw_.ascent() + raw_.descent() + raw_.leading();
    const qreal blockHeight = lineHeight * static_cast<qreal>(runs.size()) - raw_.leading();
    const qreal top = box.y() + (box.height() - blockHeight) / 2 + raw_.ascent();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        // Whole pixels, as drawText puts a line, so the glyphs stay as sharp.
        const qreal left = box.x() + (box.width() - runs[i].boundingRect().width()) / 2;
        const qreal baseline = top + lineHeight * static_cast<qreal>(i);
        painter.drawGlyphRun(QPointF(std::round(left), std::round(baseline)), runs[i]);
    }
}

} // namespace tinctora::widgets
