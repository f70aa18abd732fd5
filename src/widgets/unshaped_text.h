#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>

#include <optional>
#include <vector>

class QPainter;
class QRect;

namespace tinctora::widgets {

// Lines of plain characters (digits, Latin letters, signs) drawn centred in a box straight from
// the font's glyphs, without the layout and shaping that QPainter::drawText does at every call:
// for a label redrawn at every move of the pointer, that was the most costly part of a repaint.
// A character the font has no glyph for, or a script that needs shaping, goes through drawText.
class UnshapedText {
public:
    explicit UnshapedText(const QFont& font);

    // Draws the lines of text (separated by '\n'), each centred across box, the block centred
    // down it, in the painter's pen colour.
    void draw(QPainter& painter, const QRect& box, const QString& text) const;

private:
    // One run of glyphs a line, or nothing when the text needs drawText.
    std::optional<std::vector<QGlyphRun>> glyphRunsFor(const QString& text) const;

    QFont font_;
    QRawFont raw_;
};

} // namespace tinctora::widgets
