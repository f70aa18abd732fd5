#include "capture/screen_values.h"

#include <algorithm>
#include <span>

namespace tinctora::capture {

QString srgbFromProfile(const QString& description) {
    return QStringLiteral("sRGB values, from the display profile \"%1\"").arg(description);
}

const colour::ProfileReading* ScreenValues::readingAt(platform::ScreenPoint where, bool* told) {
    *told = profiles_ != nullptr;
    if (!profiles_)
        return nullptr;
    platform::MonitorProfile profile = profiles_->profileAt(where);
    if (profile.status != platform::MonitorProfile::Status::Found)
        return nullptr;
    // The backend hands out the same shared bytes until the profile changes: most ticks find
    // them first in the list without comparing a byte.
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        const QByteArray& bytes = kept_[i].bytes;
        const bool same = bytes.constData() == profile.bytes.constData()
                              ? bytes.size() == profile.bytes.size()
                              : bytes == profile.bytes;
        if (!same)
            continue;
        if (i != 0)
            std::rotate(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(i),
                        kept_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        return &kept_.front().reading;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(profile.bytes.constData());
    colour::ProfileReading reading = colour::readDisplayProfile(
        std::span<const unsigned char>(data, static_cast<std::size_t>(profile.bytes.size())));
    if (kept_.size() == kKeptProfiles)
        kept_.pop_back();
    kept_.insert(kept_.begin(), Kept{std::move(profile.bytes), std::move(reading)});
    return &kept_.front().reading;
}

colour::ColourValue ScreenValues::shown(colour::ColourValue asRead, platform::ScreenPoint where) {
    if (!srgb_ || asRead == colour::kNoColour)
        return asRead;
    bool told = false;
    const colour::ProfileReading* reading = readingAt(where, &told);
    if (!reading || !reading->conversion)
        return asRead;
    return reading->conversion->toSrgb(asRead);
}

QString ScreenValues::explanationAt(platform::ScreenPoint where) {
    if (!srgb_)
        return kValuesAsRead;
    bool told = false;
    const colour::ProfileReading* reading = readingAt(where, &told);
    if (!told)
        return kDesktopTellsNoProfile;
    if (!reading)
        return kNoDisplayProfile;
    if (!reading->conversion)
        return kUnusableDisplayProfile + "\n" + QString::fromStdString(reading->whyUnusable);
    return srgbFromProfile(QString::fromStdString(reading->conversion->description()));
}

} // namespace tinctora::capture
