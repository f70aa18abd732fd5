// The main window on a desktop that keeps the pointer and other programs' keys to itself: the
// F-keys act while the window has the focus, the desktop's own keys are asked for, and the
// desktop picks the colour where it refuses a screenshot.
#include "app/Form1.h"
#include "capture/capture_controller.h"
#include "capture/capture_texts.h"

#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QShortcut>

#include <cstdio>

namespace tinctora::app {

void Form1::wireWindowOnlyKeys() {
    // Where the keys are polled globally they already act in this window: shortcuts there
    // would act twice.
    if (!platform_.windowOnly)
        return;
    const auto onKey = [this](Qt::Key key, std::function<void()> action) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, std::move(action));
    };
    using platform::HotKey;
    onKey(Qt::Key_F2, [this] { capture_->hotKeyPressed(HotKey::F2); });
    onKey(Qt::Key_F3, [this] { capture_->hotKeyPressed(HotKey::F3); });
    onKey(Qt::Key_F4, [this] { capture_->hotKeyPressed(HotKey::F4); });
    onKey(Qt::Key_F6, [this] { capture_->hotKeyPressed(HotKey::F6); });
}

void Form1::startWindowOnlyDesktop() {
    if (!platform_.windowOnly)
        return;
    // Said once: the next change of the status lines replaces it.
    Label9->setText(capture::kNoLivePickNorGlobalKeys);
    Label9->setToolTip(capture::kWindowOnlyDesktop);
    std::fprintf(stderr, "tinctora: %s\n", qPrintable(capture::kWindowOnlyDesktop));

    QPointer<Form1> self(this);
    platform_.windowOnly->shortcuts.bind(
        [self](const platform::ShortcutsOutcome& outcome) {
            if (!self || outcome.status != platform::ShortcutsOutcome::Status::Bound)
                return;
            if (self->Label9->text() == capture::kNoLivePickNorGlobalKeys) {
                self->Label9->setText(capture::kNoLivePick);
                self->Label9->setToolTip(capture::kWindowOnlyDesktopWithKeys);
            }
        },
        [self](platform::GlobalKey key) {
            if (!self)
                return;
            using platform::GlobalKey;
            using platform::HotKey;
            switch (key) {
            case GlobalKey::F2:
                return self->capture_->hotKeyPressed(HotKey::F2);
            case GlobalKey::F3:
                return self->capture_->hotKeyPressed(HotKey::F3);
            case GlobalKey::F4:
                return self->capture_->hotKeyPressed(HotKey::F4);
            case GlobalKey::F6:
                return self->capture_->hotKeyPressed(HotKey::F6);
            }
        });
}

void Form1::pickWithDesktop() {
    if (!platform_.windowOnly || closed_)
        return;
    QPointer<Form1> self(this);
    platform_.windowOnly->picker.pickColour([self](const platform::PickOutcome& outcome) {
        if (!self || self->closed_)
            return;
        switch (outcome.status) {
        case platform::PickOutcome::Status::Picked:
            self->capture_->pickedFromFrozenScreen(outcome.colour);
            break;
        case platform::PickOutcome::Status::Cancelled:
            // The user closed the desktop's picker: nothing changes, nothing is said.
            break;
        case platform::PickOutcome::Status::Failed:
            self->platform_.dialogs.message(self, outcome.message, "Tinctora",
                                            platform::MessageButtons::Ok,
                                            platform::MessageIcon::Exclamation);
            break;
        }
    });
}

} // namespace tinctora::app
