// Start-up, closing, Always on Top, the Help menu and the Contrast window of the main window.
#include "about/about_window.h"
#include "about/screen_pointer.h"
#include "app/data_locations.h"
#include "app/main_window.h"
#include "capture/capture_controller.h"
#include "contrast/contrast_window.h"

#include <QAction>
#include <QPointer>

namespace tinctora::app {

void MainWindow::startUp() {
    // Closed before it started (a signal at the very start): the program is ending.
    if (closed_)
        return;
    capture_->begin();
    platform_.layer.setTopmost(this, true); // shows the window, before the palette is loaded
    document_.loadDefault();
    loaded_ = true;

    if (!platform_.captureUnavailableReason.isEmpty()) {
        // Without a readable screen there is nothing to sample: capture stays stopped, and the
        // palettes, menus and dialogs keep working.
        capture_->freeze();
        platform_.dialogs.message(this, platform_.captureUnavailableReason, "Tinctora",
                                  platform::MessageButtons::Ok, platform::MessageIcon::Exclamation);
    }
}

void MainWindow::saveOnClose() {
    // Whatever closes the window (close box, desktop session, a termination signal), the row
    // becomes the default palette; the close itself is never refused.
    if (closed_)
        return;
    closed_ = true;
    capture_->end();
    // Before Load the row was never read from the file: writing it would empty the default
    // palette the user saved.
    if (!loaded_)
        return;
    if (!document_.saveDefault()) {
        platform_.dialogs.message(
            this,
            QString("Your saved colors could not be written to %1. Check that the folder exists "
                    "and can be written.")
                .arg(document_.defaultPalettePath()),
            "Tinctora", platform::MessageButtons::Ok, platform::MessageIcon::Critical);
    }
}

void MainWindow::toggleAlwaysOnTop() {
    topmost_ = !topmost_;
    // Qt has toggled the check already; it shows the state, whatever Qt made of it.
    alwaysOnTopAction_->setChecked(topmost_);
    platform_.layer.setTopmost(this, topmost_);
    if (contrastWindow_)
        platform_.layer.setTopmost(contrastWindow_, topmost_);
}

void MainWindow::outsideTopmostBand(const std::function<void()>& dialog) {
    const bool leaveTopmost = topmost_;
    if (leaveTopmost)
        platform_.layer.setTopmost(this, false);
    dialog();
    if (leaveTopmost)
        platform_.layer.setTopmost(this, true);
}

namespace {

// Shows the error unless the desktop took the request. The desktop answers later, by which time
// the window may be gone; then nothing is shown.
std::function<void(platform::OpenOutcome)>
errorUnlessHandedOver(QWidget* window, platform::Dialogs& dialogs, const QString& text) {
    return [window = QPointer<QWidget>(window), &dialogs, text](platform::OpenOutcome outcome) {
        if (window && outcome != platform::OpenOutcome::HandedOver)
            dialogs.message(window, text, "Error!", platform::MessageButtons::Ok,
                            platform::MessageIcon::Critical);
    };
}

} // namespace

void MainWindow::openPdfManual() {
    platform_.shell.open(
        programFolder_ + "/Help.pdf",
        errorUnlessHandedOver(
            this, platform_.dialogs,
            "Error Running PDF Manual! Try installing Adobe Reader or read the Online Manual"));
}

void MainWindow::openOnlineManual() {
    platform_.shell.open(about::onlineManualAddress(vendorBase_),
                         errorUnlessHandedOver(this, platform_.dialogs,
                                               "Error loading Web Site! - Please go to " +
                                                   about::webSiteAddress() + "."));
}

void MainWindow::showAbout() {
    about::showBusyPointer();
    // Owned by this window: if the window goes while the check runs, the About window goes
    // with it and is never shown.
    auto* frm = new about::AboutWindow(platform_, versionFileCopyPathFor(programFolder_),
                                       vendorBase_, this);
    frm->checkForUpdate([this, frm] {
        outsideTopmostBand([frm] { frm->exec(); });
        frm->deleteLater();
    });
}

void MainWindow::showContrast() {
    if (!contrastWindow_) {
        const std::optional<colour::ShownColour>& shown = capture_->current();
        // Picks go to the window only: neither the panel nor the row changes.
        contrastWindow_ = new contrast::ContrastWindow(
            shown ? shown->value : 0,
            [this](contrast::ContrastWindow::PickedColour picked) {
                capture_->pickFromScreen(std::move(picked));
            },
            this);
    }
    // In the main window's band: a topmost main window would cover it otherwise.
    platform_.layer.setTopmost(contrastWindow_, topmost_);
    contrastWindow_->show();
    contrastWindow_->raise();
    contrastWindow_->activateWindow();
}

} // namespace tinctora::app
