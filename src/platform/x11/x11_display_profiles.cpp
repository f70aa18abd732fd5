#include "platform/x11/x11_display_profiles.h"

#include "colour/display_profile.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <string>

namespace tinctora::platform::x11 {

namespace {

// Monitors beyond these share the last one's atom name pattern but are seldom seen: their
// properties are read all the same, only their changes are not told apart from others'.
constexpr int kNamedMonitors = 16;

// In 32-bit units, as XGetWindowProperty counts: a little more than the largest profile read.
constexpr long kMaxPropertyLongs = static_cast<long>(colour::kMaxProfileBytes / 4 + 1);

QByteArray propertyBytes(const unsigned char* data, unsigned long items, int format) {
    // Format 8 is the convention; other formats are handed on as they came (and refused later as
    // no profile). Xlib stores 32-bit items as longs.
    const std::size_t itemSize = format == 8 ? 1 : format == 16 ? sizeof(short) : sizeof(long);
    return QByteArray(reinterpret_cast<const char*>(data),
                      static_cast<qsizetype>(items * itemSize));
}

} // namespace

X11DisplayProfiles::X11DisplayProfiles(Connection& connection) : connection_(connection) {
    Display* display = connection_.display();
    std::vector<std::string> names{"_ICC_PROFILE"};
    for (int i = 1; i < kNamedMonitors; ++i)
        names.push_back("_ICC_PROFILE_" + std::to_string(i));
    std::vector<char*> pointers;
    for (std::string& name : names)
        pointers.push_back(name.data());
    rootAtoms_.resize(names.size());
    XInternAtoms(display, pointers.data(), static_cast<int>(pointers.size()), False,
                 rootAtoms_.data());

    // Told when a root property changes, on top of what the connection already listens for.
    XWindowAttributes attributes{};
    const long already = XGetWindowAttributes(display, connection_.root(), &attributes)
                             ? attributes.your_event_mask
                             : StructureNotifyMask;
    XSelectInput(display, connection_.root(), already | PropertyChangeMask);
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    int eventBase = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase) &&
        XRRQueryVersion(display, &major, &minor) && (major > 1 || (major == 1 && minor >= 5))) {
        randrEventBase_ = eventBase;
        XRRSelectInput(display, connection_.root(),
                       RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask |
                           RROutputChangeNotifyMask | RROutputPropertyNotifyMask);
    }
    connection_.onEvent([this](XEvent& event) {
        if (event.type == PropertyNotify && event.xproperty.window == connection_.root())
            stale_ = stale_ || isProfileAtom(event.xproperty.atom);
        else if (event.type == ConfigureNotify && event.xconfigure.window == connection_.root())
            stale_ = true;
        else if (randrEventBase_ >= 0 && (event.type == randrEventBase_ + RRScreenChangeNotify ||
                                          event.type == randrEventBase_ + RRNotify))
            stale_ = true;
    });
}

bool X11DisplayProfiles::isProfileAtom(Atom atom) const {
    for (Atom a : rootAtoms_)
        if (a == atom)
            return true;
    return false;
}

std::optional<QByteArray> X11DisplayProfiles::rootProperty(Atom atom) const {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool read = XGetWindowProperty(connection_.display(), connection_.root(), atom, 0,
                                         kMaxPropertyLongs, False, AnyPropertyType, &type, &format,
                                         &items, &after, &data) == Success;
    std::optional<QByteArray> bytes;
    if (read && type != 0 && data)
        bytes = propertyBytes(data, items, format);
    if (data)
        XFree(data);
    return bytes;
}

std::optional<QByteArray> X11DisplayProfiles::outputProperty(unsigned long output) const {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool read = XRRGetOutputProperty(connection_.display(), output, rootAtoms_.front(), 0,
                                           kMaxPropertyLongs, False, False, AnyPropertyType, &type,
                                           &format, &items, &after, &data) == Success;
    std::optional<QByteArray> bytes;
    if (read && type != 0 && data)
        bytes = propertyBytes(data, items, format);
    if (data)
        XFree(data);
    return bytes;
}

void X11DisplayProfiles::reread() {
    stale_ = false;
    monitors_.clear();
    Display* display = connection_.display();
    // An error (an output gone meanwhile) is trapped by the connection: that read finds nothing.
    std::vector<std::pair<QRect, std::vector<unsigned long>>> found;
    if (randrEventBase_ >= 0) {
        int count = 0;
        XRRMonitorInfo* info = XRRGetMonitors(display, connection_.root(), True, &count);
        for (int i = 0; info && i < count; ++i) {
            std::vector<unsigned long> outputs(info[i].outputs, info[i].outputs + info[i].noutput);
            found.push_back(
                {QRect(info[i].x, info[i].y, info[i].width, info[i].height), std::move(outputs)});
        }
        if (info)
            XRRFreeMonitors(info);
    }
    if (found.empty()) {
        const std::optional<RootSize> size = connection_.rootSize();
        found.push_back({QRect(0, 0, size ? size->width : 0, size ? size->height : 0), {}});
    }
    for (std::size_t i = 0; i < found.size(); ++i) {
        std::optional<QByteArray> bytes;
        for (unsigned long output : found[i].second)
            if (!bytes)
                bytes = outputProperty(output);
        if (!bytes) {
            const Atom atom =
                i < rootAtoms_.size()
                    ? rootAtoms_[i]
                    : XInternAtom(display, ("_ICC_PROFILE_" + std::to_string(i)).c_str(), False);
            bytes = rootProperty(atom);
        }
        Monitor monitor{found[i].first, {}};
        if (bytes) {
            // Xlib's macro Status hides the enumeration's name.
            monitor.profile.status = decltype(MonitorProfile::status)::Found;
            monitor.profile.bytes = std::move(*bytes);
        }
        monitors_.push_back(std::move(monitor));
    }
    // What arrived while the replies were awaited.
    connection_.drainReadEvents();
}

MonitorProfile X11DisplayProfiles::profileAt(ScreenPoint p) {
    connection_.drainReadEvents();
    if (stale_)
        reread();
    for (const Monitor& monitor : monitors_)
        if (monitor.rect.contains(p.x, p.y))
            return monitor.profile;
    return {};
}

} // namespace tinctora::platform::x11
