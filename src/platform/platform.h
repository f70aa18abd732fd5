#pragma once

// The platform functions the program uses, behind small interfaces so that the windows never
// talk to X11, the desktop or the network directly. One backend is chosen at start-up
// (platform_factory.h); tests hand the windows fakes instead.

#include "colour/colour_value.h"
#include "platform/colour_pick.h"
#include "platform/global_shortcuts.h"
#include "platform/keys.h"
#include "platform/screen_geometry.h"
#include "platform/screen_grab.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace tinctora::platform {

class ScreenGrabber; // screen_grab.h
class PointerMover;

// The screen-wide mouse pointer, in screen pixels.
class Pointer {
public:
    virtual ~Pointer() = default;
    // Nothing when the pointer cannot be read (for example when it is on another X screen).
    virtual std::optional<ScreenPoint> position() = 0;
};

// The colour of one screen pixel, or colour::kNoColour when it cannot be read.
class ScreenPixels {
public:
    virtual ~ScreenPixels() = default;
    virtual colour::ColourValue pixelAt(ScreenPoint p) = 0;
};

// The ICC display profile of the monitor that shows a screen point, as the desktop publishes it
// for colour-managed programs.
struct MonitorProfile {
    enum class Status { Found, None };
    Status status = Status::None;
    QByteArray bytes; // when Found: the profile's bytes as published, unchecked
};

class DisplayProfiles {
public:
    virtual ~DisplayProfiles() = default;
    // Answered from what the backend keeps (cheap enough for every tick); a profile that the
    // desktop changes or removes applies from the next call, without asking the desktop again.
    virtual MonitorProfile profileAt(ScreenPoint p) = 0;
};

// Global key state, seen whichever program has the keyboard focus.
class KeyState {
public:
    virtual ~KeyState() = default;

    // How the program learns about the keys: Events, the listener is told of every change and
    // nothing needs to wake up to ask; Polling, only isDown and downOrPressedSincePrevious work.
    enum class Delivery { Events, Polling };
    virtual Delivery delivery() const = 0;
    // With Events: from now on the listener receives each batch of changes, from the event loop
    // and never from inside a read of the pointer or the screen. An empty function stops it. A
    // key held down may repeat its "down" while the keyboard repeats it.
    virtual void listen(std::function<void(const KeyBatch&)> listener) = 0;

    // Down at this moment.
    virtual bool isDown(HotKey key) = 0;
    // Down at this moment, or pressed at any time since the previous call for this key: a tap
    // that begins and ends between two calls still counts once.
    virtual bool downOrPressedSincePrevious(HotKey key) = 0;
};

// The window manager's "always above" band.
class WindowLayer {
public:
    virtual ~WindowLayer() = default;
    // Puts the window in or out of the topmost band and shows it; position, size and focus stay.
    virtual void setTopmost(QWidget* window, bool topmost) = 0;
};

// The desktop's "open" operation for a document or address.
enum class OpenOutcome {
    HandedOver,   // a program took it, or the desktop is still busy handing it over
    FileNotFound, // a local file that does not exist; the desktop is not asked
    NoProgram,    // the desktop has no program for it, or no way to open anything at all
    Failed,       // the desktop found a program, but opening failed
};

class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    // Returns at once; `done` is called once with the outcome, from the event loop (or before
    // open returns when the outcome is known without asking the desktop). The caller makes sure
    // that whatever `done` uses is still there when it is called.
    virtual void open(const QString& fileOrAddress, std::function<void(OpenOutcome)> done) = 0;
};

// Fetching a small file over HTTP.
struct DownloadOutcome {
    enum class Status { Stored, Failed, TimedOut };
    Status status = Status::Failed;
    QString detail; // for the developer; never shown as HTML
};

class Downloader {
public:
    virtual ~Downloader() = default;
    static constexpr qint64 kMaxBytes = 64 * 1024;
    // Starts fetching url into localPath (replacing it) and returns at once; `done` is called
    // once with the outcome, from the event loop, when the transfer has ended or was aborted
    // after timeoutMs (or before download returns when it cannot even start). With
    // keepUserInputOut, the windows take no mouse or key input until then (they stay painted).
    // A reply over kMaxBytes, an HTTP error status, a redirect or a body that is not text is a
    // failure. The caller makes sure that whatever `done` uses is still there when it is called.
    virtual void download(const QUrl& url, const QString& localPath, int timeoutMs,
                          bool keepUserInputOut, std::function<void(DownloadOutcome)> done) = 0;
};

enum class MessageIcon { Critical, Question, Exclamation, Information };
// SaveAsRetryOk: "Save As...", "Retry" and "OK", for a save that failed where giving up loses
// something.
enum class MessageButtons { Ok, YesNo, YesNoCancel, SaveAsRetryOk };
enum class MessageAnswer { Ok, Yes, No, Cancel, SaveAs, Retry };

// Message boxes, file dialogs and the colour dialog. Texts are always shown as plain text.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(QWidget* parent, const QString& text, const QString& title,
                                  MessageButtons buttons, MessageIcon icon) = 0;
    // Full path of the chosen file, or "" when cancelled. The filter is a Qt name filter.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    // The chosen colour, or colour::kNoColour on cancel or failure; an initial kNoColour opens
    // the dialog at its own default. customColours (16 values) are offered as the dialog's
    // custom colours.
    virtual colour::ColourValue chooseColour(colour::ColourValue initial,
                                             const colour::ColourValue (&customColours)[16]) = 0;
};

// A desktop that shows the program neither the pointer nor the keys outside its window (Wayland,
// or an X server that refuses to show its screen): only the desktop itself can read the screen
// and bind keys, through these (its screenshots are the platform's grabber).
struct WindowOnlyDesktop {
    ColourPicker& picker;
    GlobalShortcuts& shortcuts;
};

// Everything the windows need from the platform. The backend owns the objects.
struct Platform {
    Pointer& pointer;
    ScreenPixels& pixels;
    KeyState& keys;
    WindowLayer& layer;
    ShellOpen& shell;
    Downloader& downloader;
    Dialogs& dialogs;
    ScreenGrabber& grabber; // freezing the whole screen for picking from a still picture
    PointerMover& mover;
    // Empty when the screen and keys can be read; otherwise why not, in one sentence for the user.
    QString captureUnavailableReason;
    // Set where live following and global key polling cannot work but the desktop can pick and
    // bind keys itself; then the window's own F-keys act and pointer, pixels and keys read
    // nothing.
    WindowOnlyDesktop* windowOnly = nullptr;
    // The monitors' display profiles; null where the desktop does not tell programs them.
    DisplayProfiles* profiles = nullptr;
};

} // namespace tinctora::platform
