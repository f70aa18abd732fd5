#pragma once

#include "capture/hotkey_events.h"
#include "capture/hotkey_poll.h"
#include "capture/screen_values.h"
#include "capture/ticker.h"
#include "colour/colour_text.h"
#include "platform/platform.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace tinctora::capture {

// What the three status lines under the current colour read.
struct StatusLines {
    QString capture;  // "Press F4 To Capture Color" or "Press F3 to start Capture"
    QString captured; // "CAPTURED" while frozen, until the first tick after resuming
    QString add;      // "Press F2 To Add Color" while live
    // Where the desktop keeps the pointer to itself: why, for the "CAPTURED" line's tooltip.
    QString capturedTip;
    friend bool operator==(const StatusLines&, const StatusLines&) = default;
};

// Capture of the colour under the mouse pointer: live sampling every 40 ms, the hot keys (as
// events, polled every 50 ms where the platform cannot send them, pressed in the window or
// reported by the desktop), freezing and resuming, picking from a still picture of the screen,
// and the current colour. Nothing runs while frozen unless the keys must be polled. It reads the
// pointer, the screen and the keys through the platform and tells the window what to show
// through its signals.
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

    explicit CaptureController(platform::Platform& platform,
                               const TickerFactory& makeTicker = preciseTimer,
                               QObject* parent = nullptr);
    ~CaptureController() override;

    Mode mode() const { return mode_; }
    // Nothing before the first colour is shown.
    const std::optional<colour::ShownColour>& current() const { return current_; }
    StatusLines status() const;
    // Settings > "Show sRGB Values": whether values read from the screen are shown as read or
    // converted to sRGB through the monitor's display profile. Applies from the next read.
    bool srgbValues() const { return values_.srgb(); }
    void setSrgbValues(bool on);
    // What the values shown from the screen are, for the monitor under the pointer (the colour
    // panel's tooltip); changes are sent through valuesExplained.
    const QString& valuesExplanation() const { return explanation_; }

    // Where the desktop keeps other programs' keys to itself, the hot keys act while this window
    // has the focus. Call once, before begin().
    void hearKeysIn(QWidget& window);
    // Live sampling begins and the hot keys are heard (where the desktop keeps them to itself,
    // it is asked for them); end() stops both for good.
    void begin();
    void end();
    // The Start button and F3: live sampling again.
    void resume();
    // The Stop button and F4: the shown colour stays.
    void freeze();
    // Freezes with this colour shown: a recalled swatch or the colour dialog's choice.
    void showFrozen(const colour::ShownColour& colour);
    // Asks for the shown colour to be added (nothing before the first colour).
    void addCurrent();

    // F6 and Settings > "Freeze Screen and Pick": grabs the whole screen and shows it frozen
    // with a magnifier (where the desktop refuses the screenshot, its own picker picks instead).
    // A pick is shown frozen and added, as F4 does with the live colour; a cancel changes
    // nothing; a failure is reported through freezeAndPickFailed. Does nothing while a pick is
    // open or after end().
    void startFreezeAndPick();
    // The same picker for another window: the colour picked goes to `picked` only, neither shown
    // nor added. A cancel calls nothing; a failure is reported through freezeAndPickFailed.
    using PickedColour = std::function<void(colour::ColourValue)>;
    void pickFromScreen(PickedColour picked);

signals:
    void colourShown(const colour::ShownColour& colour);
    void statusChanged(const StatusLines& lines);
    void addRequested(const colour::ShownColour& colour);
    // No colour could be picked; message is one sentence for the user. Nothing changed.
    void freezeAndPickFailed(const QString& message);
    void valuesExplained(const QString& explanation);

private:
    // Said on the "CAPTURED" line where the desktop keeps the pointer to itself, until the next
    // change of the status lines.
    enum class DesktopNotice { None, NoLivePickNorGlobalKeys, NoLivePick };

    void setMode(Mode mode);
    void statusChangedNow();
    void show(const colour::ShownColour& colour);
    void endPicking();
    void showPicked(colour::ColourValue colour);
    void sample();
    void explain(const QString& explanation);
    void pollKeys();
    void applyKeyBatch(const platform::KeyBatch& batch);
    void applyHotKeys(const HotKeyReadings& keys);
    // One press of a hot key that was not polled: seen by the window itself, or reported by the
    // desktop. It acts as a tap between two polls would.
    void hotKeyPressed(HotKey key);

    // Where the desktop keeps the pointer and other programs' keys to itself
    // (capture_window_only.cpp).
    void askDesktopForKeys();
    void pickWithDesktop(PickedColour picked);

    platform::Platform& platform_;
    std::unique_ptr<Ticker> sampleTicker_;
    std::unique_ptr<Ticker> hotKeyTicker_;
    Mode mode_ = Mode::Stopped;
    bool capturedShown_ = false;
    DesktopNotice notice_ = DesktopNotice::None;
    QString noticeTip_;
    bool askedDesktopForKeys_ = false;
    platform::PerHotKey<bool> armed_{true};
    bool picking_ = false;
    HotKeyPresses presses_;
    std::optional<colour::ShownColour> current_;
    ScreenValues values_;
    platform::ScreenPoint lastRead_; // where the last value was read from the screen
    QString explanation_ = kValuesAsRead;
};

} // namespace tinctora::capture
