// The Help menu of the main window.
#include "about/frmAbout.h"
#include "about/screen_pointer.h"
#include "app/Form1.h"

#include <QPointer>

namespace tinctora::app {

void Form1::pdf_Click() {
    const int result = platform.shell.open(programFolder + "/Help.pdf");
    if (result != platform::ShellOpen::kFileNotFound &&
        result != platform::ShellOpen::kNoAssociation)
        return; // handed over, or refused for a reason the user cannot mend here
    platform.dialogs.message(
        this, "Error Running PDF Manual! Try installing Adobe Reader or read the Online Manual",
        "Error!", platform::MessageButtons::Ok, platform::MessageIcon::Critical);
}

void Form1::helon_Click() {
    const int result = platform.shell.open(about::onlineManualAddress(vendorBase));
    if (result > 32)
        return;
    platform.dialogs.message(
        this, "Error loading Web Site! - Please go to " + about::webSiteAddress() + ".", "Error!",
        platform::MessageButtons::Ok, platform::MessageIcon::Critical);
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
