// Start-up, closing and Always on Top of the main window.
#include "app/Form1.h"

#include <QAction>
#include <QTimer>

namespace tinctora::app {

void Form1::Form_Load() {
    // Closed before it started (a signal at the very start): the program is ending.
    if (defaultPaletteSaved)
        return;
    Timer1->start();
    Timer2->start();
    platform.layer.setTopmost(this, true); // shows the window, before the palette is loaded
    clearalls();
    isDefaultPalette = true;
    f2Armed = true;
    loadDefPal();
    loaded = true;
    paletteChanged = false;
    palettePath = defaultPalettePath();
    dialogFolder = paletteFolder() + "/";

    if (!platform.captureUnavailableReason.isEmpty()) {
        // Without a readable screen there is nothing to sample: capture stays stopped, and the
        // palettes, menus and dialogs keep working.
        Command3_Click();
        platform.dialogs.message(this, platform.captureUnavailableReason, "Tinctora",
                                 platform::MessageButtons::Ok, platform::MessageIcon::Exclamation);
    }
}

void Form1::QueryUnload() {
    // Whatever closes the window (close box, desktop session, a termination signal), the row
    // becomes the default palette; the close itself is never refused.
    if (defaultPaletteSaved)
        return;
    defaultPaletteSaved = true;
    Timer1->stop();
    Timer2->stop();
    // Before Load the row was never read from the file: writing it would empty the default
    // palette the user saved.
    if (!loaded)
        return;
    if (!SaveDefPal()) {
        platform.dialogs.message(
            this,
            QString("Your saved colors could not be written to %1. Check that the folder exists "
                    "and can be written.")
                .arg(defaultPalettePath()),
            "Tinctora", platform::MessageButtons::Ok, platform::MessageIcon::Critical);
    }
}

void Form1::altop_Click() {
    if (altop->isChecked()) {
        altop->setChecked(false);
        platform.layer.setTopmost(this, false);
    } else {
        altop->setChecked(true);
        platform.layer.setTopmost(this, true);
    }
}

} // namespace tinctora::app
