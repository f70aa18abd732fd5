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

std::optional<std::vector<QGlyphRun>> UnshapedText::glyphRunsFor(const QString& text) const {
    if (!raw_.isValid() || !needsNoShaping(text))
        return std::nullopt;
    std::vector<QGlyphRun> runs;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QList<quint32> glyphs = raw_.glyphIndexesForString(line);
        if (glyphs.contains(0u))
            return std::nullopt; // the font lacks a character: drawText finds another font
        const QList<QPointF> advances =
            raw_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
        QList<QPointF> positions;
        QPointF pen;
        for (const QPointF& advance : advances) {
            positions.append(pen);
            pen += advance;
        }
        QGlyphRun run;
        run.setRawFont(raw_);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        run.setBoundingRect(QRectF(0, -raw_.ascent(), pen.x(), raw_.ascent() + raw_.descent()));
        runs.push_back(run);
    }
    return runs;
}

void UnshapedText::draw(QPainter& painter, const QRect& box, const QString& text) const {
    const std::optional<std::vector<QGlyphRun>> runs = glyphRunsFor(text);
    if (!runs) {
        painter.save();
        painter.setFont(font_);
        painter.drawText(box, Qt::AlignCenter, text);
        painter.restore();
        return;
    }
    const qreal lineHeight = raw_.ascent() + raw_.descent() + raw_.leading();
    const qreal blockHeight = lineHeight * static_cast<qreal>(runs->size()) - raw_.leading();
    const qreal top = box.y() + (box.height() - blockHeight) / 2 + raw_.ascent();
    for (std::size_t i = 0; i < runs->size(); ++i) {
        const QGlyphRun& run = (*runs)[i];
        // Whole pixels, as drawText puts a line, so the glyphs stay as sharp.
        const qreal left = box.x() + (box.width() - run.boundingRect().width()) / 2;
        const qreal baseline = top + lineHeight * static_cast<qreal>(i);
        painter.drawGlyphRun(QPointF(std::round(left), std::round(baseline)), run);
    }
}

} // namespace tinctora::widgets
