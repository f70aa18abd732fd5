#pragma once

#include "colour/colour_value.h"
#include "colour/display_profile.h"
#include "platform/platform.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace tinctora::capture {

// What a value read from the screen stands for. As read, it is the monitor's own number for the
// pixel; with sRGB values on, it is the colour a colour-managed program meant, converted through
// the display profile of the monitor it lies on. A monitor with no usable profile keeps its
// values as read. Each profile is read once and its conversion kept while the monitor shows it.
class ScreenValues {
public:
    // profiles null: the desktop does not tell the monitors' profiles.
    explicit ScreenValues(platform::DisplayProfiles* profiles) : profiles_(profiles) {}

    bool srgb() const { return srgb_; }
    void setSrgb(bool on) { srgb_ = on; }

    // The value read at a screen point, as the program shows and stores it.
    colour::ColourValue shown(colour::ColourValue asRead, platform::ScreenPoint where);
    // What applies at that point, in one sentence for the user (a second line gives the reason
    // why a profile cannot be used).
    QString explanationAt(platform::ScreenPoint where);

    // Kept conversions, for the profiles last seen.
    static constexpr std::size_t kKeptProfiles = 8;

private:
    struct Kept {
        QByteArray bytes;
        colour::ProfileReading reading;
    };
    // The reading of the profile at that point; null when the monitor has none or the desktop
    // does not say.
    const colour::ProfileReading* readingAt(platform::ScreenPoint where, bool* told);

    platform::DisplayProfiles* profiles_;
    bool srgb_ = false;
    std::vector<Kept> kept_; // the profile used last comes first
};

// The sentences of the colour panel's tooltip.
inline const QString kValuesAsRead = QStringLiteral("Values as read");
inline const QString kNoDisplayProfile =
    QStringLiteral("Values as read: this monitor has no display profile");
inline const QString kUnusableDisplayProfile =
    QStringLiteral("Values as read: the display profile of this monitor cannot be used");
inline const QString kDesktopTellsNoProfile =
    QStringLiteral("Values as read: the desktop does not tell Tinctora the display profile");
// With the profile's own name between the quotes.
QString srgbFromProfile(const QString& description);

} // namespace tinctora::capture
