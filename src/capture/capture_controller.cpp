#include "capture/capture_controller.h"
#include "capture/capture_texts.h"
#include "capture/freeze_overlay.h"

#include <QPointer>
#include <QTimer>

namespace tinctora::capture {

namespace {

QTimer* preciseTimer(QObject* parent, const char* name, int intervalMs) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

} // namespace

CaptureController::CaptureController(platform::Pointer& pointer, platform::ScreenPixels& pixels,
                                     platform::KeyState& keys, platform::ScreenGrabber& grabber,
                                     platform::PointerMover& mover, QObject* parent)
    : QObject(parent), pointer_(pointer), pixels_(pixels), keys_(keys), grabber_(grabber),
      mover_(mover), sampleTimer_(preciseTimer(this, "Timer1", kSampleIntervalMs)),
      hotKeyTimer_(preciseTimer(this, "Timer2", kHotKeyIntervalMs)) {
    connect(sampleTimer_, &QTimer::timeout, this, &CaptureController::sample);
    connect(hotKeyTimer_, &QTimer::timeout, this, &CaptureController::pollKeys);
}

CaptureController::~CaptureController() {
    keys_.listen({});
}

StatusLines CaptureController::status() const {
    if (mode_ == Mode::Frozen)
        return {kPressF3, kCaptured, QString()};
    return {kPressF4, capturedShown_ ? kCaptured : QString(), kPressF2};
}

void CaptureController::setMode(Mode mode) {
    mode_ = mode;
    if (mode == Mode::Live)
        sampleTimer_->start();
    else
        sampleTimer_->stop();
    if (mode == Mode::Frozen)
        capturedShown_ = true;
    emit statusChanged(status());
}

void CaptureController::begin() {
    f2Armed_ = f3Armed_ = f4Armed_ = f6Armed_ = true;
    presses_.reset();
    if (keys_.delivery() == platform::KeyState::Delivery::Events)
        keys_.listen([this](const platform::KeyBatch& batch) { applyKeyBatch(batch); });
    else
        hotKeyTimer_->start();
    setMode(Mode::Live);
}

void CaptureController::end() {
    keys_.listen({});
    hotKeyTimer_->stop();
    sampleTimer_->stop();
    mode_ = Mode::Stopped;
}

void CaptureController::resume() {
    // "CAPTURED" stays until the first tick.
    setMode(Mode::Live);
}

void CaptureController::freeze() {
    setMode(Mode::Frozen);
}

void CaptureController::show(const colour::ShownColour& colour) {
    current_ = colour;
    emit colourShown(colour);
}

void CaptureController::showFrozen(const colour::ShownColour& colour) {
    freeze();
    show(colour);
}

void CaptureController::addCurrent() {
    // Before the first colour there is nothing to add.
    if (current_)
        emit addRequested(*current_);
}

void CaptureController::startFreezeAndPick() {
    if (picking_ || mode_ == Mode::Stopped)
        return;
    picking_ = true;
    // The frozen screen covers the live one: sampling it meanwhile would only cost time.
    sampleTimer_->stop();
    // The overlay may outlive this controller (the window closing while it is open).
    const QPointer<CaptureController> self(this);
    FreezeCallbacks callbacks;
    callbacks.picked = [self](colour::ColourValue c) {
        if (!self)
            return;
        self->endPicking();
        self->pickedFromFrozenScreen(c);
    };
    callbacks.cancelled = [self] {
        if (self)
            self->endPicking();
    };
    callbacks.failed = [self](const QString& message) {
        if (!self)
            return;
        self->endPicking();
        emit self->freezeAndPickFailed(message);
    };
    freezeAndPick(grabber_, pointer_, mover_, std::move(callbacks));
}

void CaptureController::endPicking() {
    picking_ = false;
    if (mode_ == Mode::Live)
        sampleTimer_->start();
}

void CaptureController::pickedFromFrozenScreen(colour::ColourValue colour) {
    if (mode_ == Mode::Stopped)
        return;
    showFrozen({colour, colour::paddedDecimalText(colour)});
    addCurrent();
}

void CaptureController::sample() {
    if (capturedShown_) {
        capturedShown_ = false;
        emit statusChanged(status());
    }
    // One pointer read and one pixel read per tick: every field shows the same pixel, so the
    // decimal text an add stores always matches the swatch colour it paints.
    const std::optional<platform::ScreenPoint> where = pointer_.position();
    if (!where)
        return;
    const colour::ColourValue c = pixels_.pixelAt(*where);
    // A pixel that cannot be read is no colour: the last good one stays shown.
    if (c == colour::kNoColour)
        return;
    colour::ShownColour sampled{c, colour::paddedDecimalText(c)};
    if (current_ == sampled)
        return; // nothing on screen would change
    show(sampled);
}

void CaptureController::pollKeys() {
    using platform::HotKey;
    HotKeyReadings readings;
    readings.f2DownOrPressedSincePrevious = keys_.downOrPressedSincePrevious(HotKey::F2);
    readings.f4DownOrPressedSincePrevious = keys_.downOrPressedSincePrevious(HotKey::F4);
    readings.f3DownOrPressedSincePrevious = keys_.downOrPressedSincePrevious(HotKey::F3);
    readings.f6DownOrPressedSincePrevious = keys_.downOrPressedSincePrevious(HotKey::F6);
    applyHotKeys(readings);
}

void CaptureController::applyKeyBatch(const platform::KeyBatch& batch) {
    if (mode_ == Mode::Stopped)
        return;
    for (const HotKeyReadings& readings : presses_.readingsFor(batch))
        applyHotKeys(readings);
}

void CaptureController::applyHotKeys(const HotKeyReadings& keys) {
    const CaptureState state{mode_ == Mode::Live,
                             mode_ == Mode::Frozen,
                             f2Armed_,
                             f3Armed_,
                             f4Armed_,
                             f6Armed_,
                             picking_};
    const HotKeyDecision decision = decideHotKeys(keys, state);
    // Latched before acting: a dialog opened by an action runs the key poll meanwhile.
    f2Armed_ = decision.f2ArmedAfter;
    f3Armed_ = decision.f3ArmedAfter;
    f4Armed_ = decision.f4ArmedAfter;
    f6Armed_ = decision.f6ArmedAfter;
    switch (decision.action) {
    case CaptureAction::Freeze:
        freeze();
        break;
    case CaptureAction::Resume:
        resume();
        break;
    case CaptureAction::FreezeScreenAndPick:
        startFreezeAndPick();
        break;
    case CaptureAction::None:
        break;
    }
    if (decision.addAfterFreeze)
        addCurrent();
    if (decision.addForF2)
        addCurrent();
}

void CaptureController::hotKeyPressed(platform::HotKey key) {
    if (mode_ == Mode::Stopped)
        return;
    HotKeyReadings press;
    press.f2DownOrPressedSincePrevious = key == platform::HotKey::F2;
    press.f3DownOrPressedSincePrevious = key == platform::HotKey::F3;
    press.f4DownOrPressedSincePrevious = key == platform::HotKey::F4;
    press.f6DownOrPressedSincePrevious = key == platform::HotKey::F6;
    applyHotKeys(press);
    // The key is up again at once: the next press acts too.
    applyHotKeys(HotKeyReadings{});
}

} // namespace tinctora::capture
