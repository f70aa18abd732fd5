// The Help menu of the main window.
#include "about/frmAbout.h"
#include "about/screen_pointer.h"
#include "app/Form1.h"

#include <QPointer>

namespace tinctora::app {

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

void Form1::pdf_Click() {
    platform.shell.open(
        programFolder + "/Help.pdf",
        errorUnlessHandedOver(
            this, platform.dialogs,
            "Error Running PDF Manual! Try installing Adobe Reader or read the Online Manual"));
}

void Form1::helon_Click() {
    platform.shell.open(about::onlineManualAddress(vendorBase),
                        errorUnlessHandedOver(this, platform.dialogs,
                                              "Error loading Web Site! - Please go to " +
                                                  about::webSiteAddress() + "."));
}

void Form1::abo_Click() {
    about::showBusyPointer();
    // Owned by this window; the guard notices if the window goes while the About window waits.
    QPointer<about::frmAbout> frm = new about::frmAbout(platform, programFolder, vendorBase, this);
    frm->checkupdates();
    if (!frm)
        return;
    const bool leaveTopmost = altop->isChecked();
    if (leaveTopmost)
        platform.layer.setTopmost(this, false);
    frm->exec();
    if (leaveTopmost)
        platform.layer.setTopmost(this, true);
    delete frm.data();
}

} // namespace tinctora::app
