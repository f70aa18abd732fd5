#include "widgets/form_font.h"

#include <QFontMetrics>

#include <algorithm>

namespace tinctora::widgets {

namespace {

constexpr int kNarrowestStretch = 80;
constexpr int kStretchStep = 2;

bool allFit(const QFont& font, const std::vector<CaptionRoom>& rooms) {
    const QFontMetrics metrics(font);
    return std::all_of(rooms.begin(), rooms.end(), [&](const CaptionRoom& room) {
        return metrics.horizontalAdvance(room.text) <= room.width;
    });
}

} // namespace

QFont narrowedToFit(QFont font, const std::vector<CaptionRoom>& rooms) {
    if (allFit(font, rooms))
        return font;
    // Hinting makes widths move unevenly with the stretch, so each step is measured.
    for (int stretch = 100 - kStretchStep; stretch >= kNarrowestStretch; stretch -= kStretchStep) {
        font.setStretch(stretch);
        if (allFit(font, rooms))
            return font;
    }
    font.setStretch(kNarrowestStretch);
    return font;
}

} // namespace tinctora::widgets
