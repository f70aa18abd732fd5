#pragma once

#include "capture/hotkey_events.h"
#include "capture/hotkey_poll.h"
#include "colour/colour_text.h"
#include "platform/platform.h"

#include <QObject>
#include <QString>

#include <optional>

class QTimer;

namespace tinctora::capture {

// What the three status lines under the current colour read.
struct StatusLines {
    QString capture;  // "Press F4 To Capture Color" or "Press F3 to start Capture"
    QString captured; // "CAPTURED" while frozen, until the first tick after resuming
    QString add;      // "Press F2 To Add Color" while live
    friend bool operator==(const StatusLines&, const StatusLines&) = default;
};

// Capture of the colour under the mouse pointer: live sampling every 40 ms, the hot keys (as
// events, or polled every 50 ms where the platform cannot send them), freezing and resuming, and
// the current colour. Nothing runs while frozen unless the keys must be polled. It reads the
// pointer, the screen and the keys through the platform and tells the window what to show through
// its signals.
class CaptureController : public QObject {
    Q_OBJECT
public:
    enum class Mode {
        Stopped, // before begin() and after end(): neither sampling nor hot keys
        Live,    // sampling the screen
        Frozen,  // the colour shown stays; F3 or Start resumes
    };

    static constexpr int kSampleIntervalMs = 40;
    static constexpr int kHotKeyIntervalMs = 50;

    CaptureController(platform::Pointer& pointer, platform::ScreenPixels& pixels,
                      platform::KeyState& keys, platform::ScreenGrabber& grabber,
                      platform::PointerMover& mover, QObject* parent = nullptr);
    ~CaptureController() override;

    Mode mode() const { return mode_; }
    // Nothing before the first colour is shown.
    const std::optional<colour::ShownColour>& current() const { return current_; }
    StatusLines status() const;

    // Live sampling begins and the hot keys are heard; end() stops both for good.
    void begin();
    void end();
    // The Start button and F3: live sampling again.
    void resume();
    // The Stop button and F4: the shown colour stays.
    void freeze();
    // Freezes with this colour shown: a recalled swatch, the colour dialog's choice, or a colour
    // picked by other means.
    void showFrozen(const colour::ShownColour& colour);
    // Asks for the shown colour to be added (nothing before the first colour).
    void addCurrent();

    // F6 and Settings > "Freeze Screen and Pick": grabs the whole screen and shows it frozen
    // with a magnifier. A pick ends in pickedFromFrozenScreen; a cancel changes nothing; a grab
    // that fails is reported through freezeAndPickFailed. Does nothing while a pick is open or
    // after end().
    void startFreezeAndPick();
    // From the grab until the frozen screen closes; the hot keys do nothing meanwhile.
    bool pickingFromFrozenScreen() const { return picking_; }
    // A colour picked from a still picture of the screen: shown frozen as a sampled colour and
    // added, as F4 does with the live colour.
    void pickedFromFrozenScreen(colour::ColourValue colour);

    // One sampling tick: one pointer read and one pixel read.
    void sample();
    // One hot-key poll: reads the keys and applies them (only where keys are polled).
    void pollKeys();
    // Applies one batch of key changes, all pressed together.
    void applyKeyBatch(const platform::KeyBatch& batch);
    // Applies one reading of the hot keys, however it was obtained.
    void applyHotKeys(const HotKeyReadings& keys);
    // One press of a hot key that was not polled: seen by the window itself, or reported by the
    // desktop. It acts as a tap between two polls would.
    void hotKeyPressed(platform::HotKey key);

signals:
    void colourShown(const colour::ShownColour& colour);
    void statusChanged(const StatusLines& lines);
    void addRequested(const colour::ShownColour& colour);
    // The screen could not be frozen; message is one sentence for the user. Nothing changed.
    void freezeAndPickFailed(const QString& message);

private:
    void setMode(Mode mode);
    void show(const colour::ShownColour& colour);
    void endPicking();

    platform::Pointer& pointer_;
    platform::ScreenPixels& pixels_;
    platform::KeyState& keys_;
    platform::ScreenGrabber& grabber_;
    platform::PointerMover& mover_;
    QTimer* sampleTimer_ = nullptr;
    QTimer* hotKeyTimer_ = nullptr;
    Mode mode_ = Mode::Stopped;
    bool capturedShown_ = false;
    bool f2Armed_ = true;
    bool f3Armed_ = true;
    bool f4Armed_ = true;
    bool f6Armed_ = true;
    bool picking_ = false;
    HotKeyPresses presses_;
    std::optional<colour::ShownColour> current_;
};

} // namespace tinctora::capture
