#pragma once

#include <QFont>
#include <QString>

#include <vector>

namespace tinctora::widgets {

// A caption and the width, in pixels, that its control leaves for it.
struct CaptionRoom {
    QString text;
    int width = 0;
};

// The form is laid out in fixed pixels for a narrow dialog font. Desktop fonts are often wider
// at the same size, so the font is narrowed, a little at a time and by at most a fifth, until
// every caption fits its room. A font that already fits is returned unchanged.
QFont narrowedToFit(QFont font, const std::vector<CaptionRoom>& rooms);

} // namespace tinctora::widgets
