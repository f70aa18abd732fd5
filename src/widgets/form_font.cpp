#include "widgets/form_font.h"

#include <QFontMetrics>

#include <algorithm>

namespace tinctora::widgets {

namespace {

constexpr int kNarrowestStretch = 80;
constexpr int kStretchStep = 2;

// The largest share of its room that a caption needs: above 1 when one is too wide.
double widestShare(const QFont& font, const std::vector<CaptionRoom>& rooms) {
    const QFontMetrics metrics(font);
    double widest = 0;
    for (const CaptionRoom& room : rooms)
        widest = std::max(widest,
                          double(metrics.horizontalAdvance(room.text)) / std::max(room.width, 1));
    return widest;
}

bool allFit(const QFont& font, const std::vector<CaptionRoom>& rooms) {
    return widestShare(font, rooms) <= 1;
}

QFont stretched(QFont font, int stretch) {
    font.setStretch(stretch);
    return font;
}

} // namespace

QFont narrowedToFit(QFont font, const std::vector<CaptionRoom>& rooms) {
    const double share = widestShare(font, rooms);
    if (share <= 1)
        return font;
    // Each stretch measured loads a font of its own, the dearest part of starting the window,
    // so the search starts where widths shrinking in proportion to the stretch would fit and
    // moves a step at a time from there: hinting makes widths move unevenly with the stretch.
    int stretch = std::clamp(int(100 / share) / kStretchStep * kStretchStep, kNarrowestStretch,
                             100 - kStretchStep);
    if (allFit(stretched(font, stretch), rooms)) {
        while (stretch + kStretchStep < 100 &&
               allFit(stretched(font, stretch + kStretchStep), rooms))
            stretch += kStretchStep;
        return stretched(font, stretch);
    }
    while (stretch > kNarrowestStretch) {
        stretch -= kStretchStep;
        if (allFit(stretched(font, stretch), rooms))
            break;
    }
    return stretched(font, stretch);
}

} // namespace tinctora::widgets
