#pragma once

// The screen, the pointer, the window layer, the shell's open operation and the file and colour
// dialogs through Win32. Every position is in physical screen pixels across all monitors: the
// program is per-monitor DPI aware, so at 150 % scaling the pixel read is the one under the
// pointer. This header stays free of <windows.h>, whose macros would leak into the Qt code that
// includes it.

#include "platform/platform.h"
#include "platform/screen_grab.h"

#include <memory>
#include <vector>

namespace tinctora::platform::win32 {

// GetCursorPos; nothing while the pointer cannot be read (another desktop, such as the secure
// one of the lock screen, has the input).
class Win32Pointer final : public Pointer {
public:
    std::optional<ScreenPoint> position() override;
};

// GetPixel on the screen's device context, which is taken and given back within each read.
// -1 outside every monitor and while the screen cannot be read.
class Win32Pixels final : public ScreenPixels {
public:
    colour::ColourValue pixelAt(ScreenPoint p) override;
};

// SetCursorPos relative to where the pointer is; Windows keeps it on the monitors.
class Win32PointerMover final : public PointerMover {
public:
    bool moveBy(int dx, int dy) override;
};

// The whole virtual screen, every monitor at its place, copied from the screen's device context
// into one picture. Calls done before it returns.
class Win32ScreenGrabber final : public ScreenGrabber {
public:
    void grabScreen(std::function<void(GrabOutcome)> done) override;
    GrabOutcome grab();
};

// SetWindowPos into or out of the topmost band, without moving, sizing or activating.
class Win32WindowLayer final : public WindowLayer {
public:
    void setTopmost(QWidget* window, bool topmost) override;
};

// ShellExecuteW "open", owned by the window that has the focus so that a question of the shell
// ("open with ...") comes above a topmost main window. A local file that does not exist is
// FileNotFound without asking the shell; otherwise done hears the shell's answer from the event
// loop.
class Win32ShellOpen final : public ShellOpen {
public:
    void open(const QString& fileOrAddress, std::function<void(OpenOutcome)> done) override;
};

// The system's own file and colour dialogs (GetOpenFileNameW, GetSaveFileNameW, ChooseColorW),
// which keep nothing of the program's in the registry: Qt's dialogs would write their custom
// colours and last folder into HKCU\Software\QtProject, which every Qt program of the user
// reads. Messages go to the given dialogs (Qt's, which store nothing).
class Win32Dialogs final : public Dialogs {
public:
    explicit Win32Dialogs(Dialogs& messages);
    MessageAnswer message(QWidget* parent, const QString& text, const QString& title,
                          MessageButtons buttons, MessageIcon icon) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    colour::ColourValue chooseColour(colour::ColourValue initial,
                                     const colour::ColourValue (&customColours)[16]) override;

private:
    Dialogs& messages_;
};

// Each monitor's display profile, as Colour Management associates it: GetICMProfileW on a device
// context of that monitor (EnumDisplayMonitors, CreateDCW), the profile file then read whole.
// Read once and again after the displays or their settings change (WM_DISPLAYCHANGE, seen by an
// event filter of the application). Needs a QCoreApplication.
class Win32DisplayProfiles final : public DisplayProfiles {
public:
    Win32DisplayProfiles();
    ~Win32DisplayProfiles() override;
    MonitorProfile profileAt(ScreenPoint p) override;

    struct Monitor {
        int left = 0, top = 0, right = 0, bottom = 0; // physical screen pixels, right/bottom out
        MonitorProfile profile;
    };

private:
    class DisplayChanges;
    std::unique_ptr<DisplayChanges> changes_;
    bool stale_ = true;
    std::vector<Monitor> monitors_;
};

} // namespace tinctora::platform::win32
