#include "platform/win32/win32_desktop.h"

#include "colour/display_profile.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QFile>

#include <windows.h>

namespace tinctora::platform::win32 {

// Tells the profiles to read again when the displays change: Windows sends WM_DISPLAYCHANGE to
// every top-level window, the toolkit's own among them.
class Win32DisplayProfiles::DisplayChanges final : public QAbstractNativeEventFilter {
public:
    explicit DisplayChanges(bool& stale) : stale_(stale) {}
    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const auto* msg = static_cast<const MSG*>(message);
        if (msg && (msg->message == WM_DISPLAYCHANGE ||
                    (msg->message == WM_SETTINGCHANGE && msg->wParam == SPI_SETWORKAREA)))
            stale_ = true;
        return false;
    }

private:
    bool& stale_;
};

namespace {

// The profile file associated with the monitor, read whole; nothing when it has none.
std::optional<QByteArray> profileOf(const MONITORINFOEXW& info) {
    HDC dc = CreateDCW(info.szDevice, info.szDevice, nullptr, nullptr);
    if (!dc)
        return std::nullopt;
    wchar_t path[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    const bool found = GetICMProfileW(dc, &size, path) != FALSE;
    DeleteDC(dc);
    if (!found || path[0] == L'\0')
        return std::nullopt;
    QFile file(QString::fromWCharArray(path));
    // A profile that is named but cannot be read is one that cannot be used: empty bytes say so.
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(static_cast<qint64>(colour::kMaxProfileBytes) + 1);
}

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info))
        return TRUE;
    Win32DisplayProfiles::Monitor found;
    found.left = info.rcMonitor.left;
    found.top = info.rcMonitor.top;
    found.right = info.rcMonitor.right;
    found.bottom = info.rcMonitor.bottom;
    if (std::optional<QByteArray> bytes = profileOf(info)) {
        found.profile.status = MonitorProfile::Status::Found;
        found.profile.bytes = std::move(*bytes);
    }
    reinterpret_cast<std::vector<Win32DisplayProfiles::Monitor>*>(list)->push_back(
        std::move(found));
    return TRUE;
}

} // namespace

Win32DisplayProfiles::Win32DisplayProfiles() : changes_(std::make_unique<DisplayChanges>(stale_)) {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installNativeEventFilter(changes_.get());
}

Win32DisplayProfiles::~Win32DisplayProfiles() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeNativeEventFilter(changes_.get());
}

MonitorProfile Win32DisplayProfiles::profileAt(ScreenPoint p) {
    if (stale_) {
        stale_ = false;
        monitors_.clear();
        EnumDisplayMonitors(nullptr, nullptr, &addMonitor, reinterpret_cast<LPARAM>(&monitors_));
    }
    for (const Monitor& m : monitors_)
        if (p.x >= m.left && p.x < m.right && p.y >= m.top && p.y < m.bottom)
            return m.profile;
    return {};
}

} // namespace tinctora::platform::win32
