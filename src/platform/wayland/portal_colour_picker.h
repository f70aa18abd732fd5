#pragma once

#include "platform/colour_pick.h"

#include <QDBusConnection>
#include <QObject>

namespace tinctora::platform::wayland {

// The desktop's own colour picker, through the portal's PickColor.
class PortalColourPicker final : public QObject, public ColourPicker {
public:
    explicit PortalColourPicker(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                QObject* parent = nullptr);
    // Destroying the picker while a pick is pending drops it without calling done.
    void pickColour(std::function<void(PickOutcome)> done) override;

private:
    QDBusConnection bus_;
};

} // namespace tinctora::platform::wayland
