#include "platform/wayland/portal_colour_picker.h"

#include "platform/wayland/portal_request.h"

#include <QDBusArgument>

#include <cmath>
#include <optional>

namespace tinctora::platform::wayland {

namespace {

// The user may take a while over the desktop's picker.
constexpr int kPickTimeoutMs = 10 * 60'000;
constexpr uint kCancelled = 1;

std::optional<int> channelByte(double channel) {
    if (!std::isfinite(channel) || channel < 0.0 || channel > 1.0)
        return std::nullopt;
    return int(std::lround(channel * 255.0));
}

// The portal's colour: three doubles from 0 to 1, red first.
std::optional<colour::ColourValue> colourValue(const QVariant& colour) {
    if (colour.metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument argument = colour.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)"))
        return std::nullopt;
    double red = 0;
    double green = 0;
    double blue = 0;
    argument.beginStructure();
    argument >> red >> green >> blue;
    argument.endStructure();
    const auto r = channelByte(red);
    const auto g = channelByte(green);
    const auto b = channelByte(blue);
    if (!r || !g || !b)
        return std::nullopt;
    return colour::colourFromBytes(*r, *g, *b);
}

PickOutcome failed(const QString& message) {
    PickOutcome outcome;
    outcome.status = PickOutcome::Status::Failed;
    outcome.message = message;
    return outcome;
}

} // namespace

PortalColourPicker::PortalColourPicker(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {}

void PortalColourPicker::pickColour(std::function<void(PickOutcome)> done) {
    PortalRequest::start(
        bus_, QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("PickColor"),
        {QString()}, {}, kPickTimeoutMs,
        [done = std::move(done)](PortalReply reply) {
            switch (reply.status) {
            case PortalReply::Status::CallFailed:
                return done(
                    failed(describeCallFailure(reply.error, QStringLiteral("colour picker"))));
            case PortalReply::Status::TimedOut:
                return done(failed(QStringLiteral("The desktop's colour picker did not answer.")));
            case PortalReply::Status::Answered:
                break;
            }
            PickOutcome outcome;
            if (reply.response == kCancelled) {
                outcome.status = PickOutcome::Status::Cancelled;
                return done(outcome);
            }
            if (reply.response != 0)
                return done(failed(QStringLiteral("The desktop's colour picker failed.")));
            const auto colour = colourValue(reply.results.value(QStringLiteral("color")));
            if (!colour)
                return done(failed(QStringLiteral(
                    "The desktop's colour picker sent a colour Tinctora cannot read.")));
            outcome.status = PickOutcome::Status::Picked;
            outcome.colour = *colour;
            done(outcome);
        },
        this);
}

} // namespace tinctora::platform::wayland
