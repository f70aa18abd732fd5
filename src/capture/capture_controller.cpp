#include "capture/capture_controller.h"
#include "capture/capture_texts.h"
#include "capture/freeze_overlay.h"

#include <QPointer>

namespace tinctora::capture {

CaptureController::CaptureController(platform::Platform& platform, const TickerFactory& makeTicker,
                                     QObject* parent)
    : QObject(parent), platform_(platform),
      sampleTicker_(makeTicker(kSampleIntervalMs, [this] { sample(); })),
      hotKeyTicker_(makeTicker(kHotKeyIntervalMs, [this] { pollKeys(); })),
      values_(platform.profiles) {}

CaptureController::~CaptureController() {
    platform_.keys.listen({});
}

StatusLines CaptureController::status() const {
    StatusLines lines;
    lines.capture = mode_ == Mode::Frozen ? kPressF3 : kPressF4;
    lines.captured = mode_ == Mode::Frozen || capturedShown_ ? kCaptured : QString();
    lines.add = mode_ == Mode::Frozen ? QString() : kPressF2;
    if (notice_ == DesktopNotice::NoLivePickNorGlobalKeys)
        lines.captured = kNoLivePickNorGlobalKeys;
    else if (notice_ == DesktopNotice::NoLivePick)
        lines.captured = kNoLivePick;
    lines.capturedTip = noticeTip_;
    return lines;
}

void CaptureController::statusChangedNow() {
    notice_ = DesktopNotice::None;
    emit statusChanged(status());
}

void CaptureController::setMode(Mode mode) {
    mode_ = mode;
    if (mode == Mode::Live)
        sampleTicker_->start();
    else
        sampleTicker_->stop();
    if (mode == Mode::Frozen)
        capturedShown_ = true;
    statusChangedNow();
}

void CaptureController::setSrgbValues(bool on) {
    values_.setSrgb(on);
    // Said at once, for the monitor the last value came from; the next tick follows the pointer.
    explain(values_.explanationAt(lastRead_));
}

void CaptureController::explain(const QString& explanation) {
    if (explanation == explanation_)
        return;
    explanation_ = explanation;
    emit valuesExplained(explanation_);
}

void CaptureController::begin() {
    armed_ = platform::PerHotKey<bool>(true);
    presses_.reset();
    if (platform_.keys.delivery() == platform::KeyState::Delivery::Events)
        platform_.keys.listen([this](const platform::KeyBatch& batch) { applyKeyBatch(batch); });
    else
        hotKeyTicker_->start();
    setMode(Mode::Live);
    askDesktopForKeys();
}

void CaptureController::end() {
    platform_.keys.listen({});
    hotKeyTicker_->stop();
    sampleTicker_->stop();
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
    pickFromScreen([this](colour::ColourValue c) { showPicked(c); });
}

void CaptureController::pickFromScreen(PickedColour picked) {
    if (picking_ || mode_ == Mode::Stopped)
        return;
    picking_ = true;
    // The frozen screen covers the live one: sampling it meanwhile would only cost time.
    sampleTicker_->stop();
    // The grab answers later; the overlay may outlive this controller (the window closing while
    // it is open).
    const QPointer<CaptureController> self(this);
    platform_.grabber.grabScreen([self, picked](platform::GrabOutcome outcome) {
        if (!self)
            return;
        using Status = platform::GrabOutcome::Status;
        if (outcome.status == Status::Cancelled)
            return self->endPicking();
        if (outcome.status != Status::Grabbed || !outcome.screen ||
            outcome.screen->image.isNull()) {
            self->endPicking();
            // A desktop that refuses screenshots may still pick a colour itself.
            if (self->platform_.windowOnly)
                return self->pickWithDesktop(picked);
            emit self->freezeAndPickFailed(outcome.message.isEmpty()
                                               ? QStringLiteral("The screen could not be frozen.")
                                               : outcome.message);
            return;
        }
        auto* overlay = new FreezeOverlay(std::move(*outcome.screen), self->platform_.pointer,
                                          self->platform_.mover);
        if (self->values_.srgb())
            overlay->setValueRule([self](colour::ColourValue asRead, ScreenPoint at) {
                if (!self)
                    return asRead;
                self->lastRead_ = {at.x, at.y};
                self->explain(self->values_.explanationAt(self->lastRead_));
                return self->values_.shown(asRead, self->lastRead_);
            });
        overlay->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(overlay, &FreezeOverlay::picked, self,
                         [self, picked](colour::ColourValue c) {
                             self->endPicking();
                             if (self->mode_ != Mode::Stopped)
                                 picked(c);
                         });
        QObject::connect(overlay, &FreezeOverlay::cancelled, self, [self] { self->endPicking(); });
        overlay->open();
    });
}

void CaptureController::endPicking() {
    picking_ = false;
    if (mode_ == Mode::Live)
        sampleTicker_->start();
}

void CaptureController::showPicked(colour::ColourValue colour) {
    if (mode_ == Mode::Stopped)
        return;
    showFrozen({colour, colour::paddedDecimalText(colour)});
    addCurrent();
}

void CaptureController::sample() {
    if (capturedShown_) {
        capturedShown_ = false;
        statusChangedNow();
    }
    // One pointer read and one pixel read per tick: every field shows the same pixel, so the
    // decimal text an add stores always matches the swatch colour it paints.
    const std::optional<platform::ScreenPoint> where = platform_.pointer.position();
    if (!where)
        return;
    const colour::ColourValue asRead = platform_.pixels.pixelAt(*where);
    // A pixel that cannot be read is no colour: the last good one stays shown.
    if (asRead == colour::kNoColour)
        return;
    lastRead_ = *where;
    const colour::ColourValue c = values_.shown(asRead, *where);
    if (values_.srgb())
        explain(values_.explanationAt(*where));
    colour::ShownColour sampled{c, colour::paddedDecimalText(c)};
    if (current_ == sampled)
        return; // nothing on screen would change
    show(sampled);
}

void CaptureController::pollKeys() {
    HotKeyReadings readings;
    for (HotKey key : platform::kHotKeys)
        readings[key] = platform_.keys.downOrPressedSincePrevious(key);
    applyHotKeys(readings);
}

void CaptureController::applyKeyBatch(const platform::KeyBatch& batch) {
    if (mode_ == Mode::Stopped)
        return;
    for (const HotKeyReadings& readings : presses_.readingsFor(batch))
        applyHotKeys(readings);
}

void CaptureController::applyHotKeys(const HotKeyReadings& keys) {
    CaptureState state;
    state.liveCapture = mode_ == Mode::Live;
    state.waitingForF3 = mode_ == Mode::Frozen;
    state.armed = armed_;
    state.pickingFromFrozenScreen = picking_;
    const HotKeyDecision decision = decideHotKeys(keys, state);
    // Latched before acting: a dialog opened by an action runs the key poll meanwhile.
    armed_ = decision.armedAfter;
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

void CaptureController::hotKeyPressed(HotKey key) {
    if (mode_ == Mode::Stopped)
        return;
    HotKeyReadings press;
    press[key] = true;
    applyHotKeys(press);
    // The key is up again at once: the next press acts too.
    applyHotKeys(HotKeyReadings{});
}

} // namespace tinctora::capture
