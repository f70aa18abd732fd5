// Capture on a desktop that keeps the pointer and other programs' keys to itself: the hot keys
// act while the window has the focus, the desktop's own keys are asked for, and the desktop picks
// the colour where it refuses a screenshot.
#include "capture/capture_controller.h"
#include "capture/capture_texts.h"

#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

#include <cstdio>

namespace tinctora::capture {

namespace {

Qt::Key qtKeyOf(HotKey key) {
    switch (key) {
    case HotKey::F2:
        break;
    case HotKey::F3:
        return Qt::Key_F3;
    case HotKey::F4:
        return Qt::Key_F4;
    case HotKey::F6:
        return Qt::Key_F6;
    }
    return Qt::Key_F2;
}

} // namespace

void CaptureController::hearKeysIn(QWidget& window) {
    // Where the keys are read globally they already act in this window: shortcuts there would
    // act twice.
    if (!platform_.windowOnly)
        return;
    for (HotKey key : platform::kHotKeys) {
        auto* shortcut = new QShortcut(QKeySequence(qtKeyOf(key)), &window);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, [this, key] { hotKeyPressed(key); });
    }
}

void CaptureController::askDesktopForKeys() {
    if (!platform_.windowOnly || askedDesktopForKeys_)
        return;
    askedDesktopForKeys_ = true;
    notice_ = DesktopNotice::NoLivePickNorGlobalKeys;
    noticeTip_ = kWindowOnlyDesktop;
    emit statusChanged(status());
    std::fprintf(stderr, "tinctora: %s\n", qPrintable(kWindowOnlyDesktop));

    const QPointer<CaptureController> self(this);
    platform_.windowOnly->shortcuts.bind(
        [self](const platform::ShortcutsOutcome& outcome) {
            if (!self || outcome.status != platform::ShortcutsOutcome::Status::Bound)
                return;
            // Only while the first notice is still shown.
            if (self->notice_ != DesktopNotice::NoLivePickNorGlobalKeys)
                return;
            self->notice_ = DesktopNotice::NoLivePick;
            self->noticeTip_ = kWindowOnlyDesktopWithKeys;
            emit self->statusChanged(self->status());
        },
        [self](HotKey key) {
            if (self)
                self->hotKeyPressed(key);
        });
}

void CaptureController::pickWithDesktop(PickedColour picked) {
    if (!platform_.windowOnly || mode_ == Mode::Stopped)
        return;
    const QPointer<CaptureController> self(this);
    platform_.windowOnly->picker.pickColour([self, picked](const platform::PickOutcome& outcome) {
        if (!self)
            return;
        switch (outcome.status) {
        case platform::PickOutcome::Status::Picked:
            if (self->mode_ != Mode::Stopped)
                picked(outcome.colour);
            break;
        case platform::PickOutcome::Status::Cancelled:
            // The user closed the desktop's picker: nothing changes, nothing is said.
            break;
        case platform::PickOutcome::Status::Failed:
            if (self->mode_ != Mode::Stopped)
                emit self->freezeAndPickFailed(outcome.message);
            break;
        }
    });
}

} // namespace tinctora::capture
