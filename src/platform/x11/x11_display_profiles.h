#pragma once

#include "platform/platform.h"
#include "platform/x11/x11_connection.h"

#include <QRect>

#include <vector>

namespace tinctora::platform::x11 {

// The monitors' display profiles as colour-managed X11 programs find them: the root window's
// _ICC_PROFILE for the first monitor in the order RandR (and Xinerama) lists them, _ICC_PROFILE_1,
// _ICC_PROFILE_2, ... for the others; a RandR output's own _ICC_PROFILE property wins for the
// monitor it drives. They are read once and again only after the server says that a profile or
// the monitors changed (property and RandR events on the root): a tick costs no request.
class X11DisplayProfiles final : public DisplayProfiles {
public:
    explicit X11DisplayProfiles(Connection& connection);
    MonitorProfile profileAt(ScreenPoint p) override;

private:
    struct Monitor {
        QRect rect;
        MonitorProfile profile;
    };
    void reread();
    bool isProfileAtom(Atom atom) const;
    std::optional<QByteArray> rootProperty(Atom atom) const;
    std::optional<QByteArray> outputProperty(unsigned long output) const;

    Connection& connection_;
    std::vector<Atom> rootAtoms_; // _ICC_PROFILE, _ICC_PROFILE_1, ...
    int randrEventBase_ = -1;     // -1: no RandR 1.5, one monitor
    bool stale_ = true;
    std::vector<Monitor> monitors_;
};

} // namespace tinctora::platform::x11
