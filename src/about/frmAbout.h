#pragma once

#include "about/vendor_site.h"
#include "platform/platform.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QTimer;

namespace tinctora::about {

// The About window: product, version, credits and the outcome of a version check against the
// version file on the vendor's web server. It is created hidden, checked by checkupdates, shown
// modally by the Help menu's About command and destroyed when it closes.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // versionCopyPath: where the downloaded version file is kept while it is read.
    // vendorBase: "http://" and the vendor's host; tests hand in their own server's address.
    frmAbout(platform::Platform& platform, QString versionCopyPath,
             QString vendorBase = vendorBaseAddress(), QWidget* owner = nullptr);
    ~frmAbout() override;

    // How long the automatic check waits for the version file before it gives up.
    static constexpr int kCheckTimeoutMs = 4000;
    // How long "Check Version" waits; the window stays painted meanwhile.
    static constexpr int kManualTimeoutMs = 15000;

    // --- Controls -------------------------------------------------------------------------
    QLabel* Image1 = nullptr;        // background picture, under everything
    QLabel* Label1 = nullptr;        // product name
    QLabel* Label3 = nullptr;        // version
    QLabel* Label4 = nullptr;        // credit line
    QLabel* Label5 = nullptr;        // web site
    QLabel* Label6 = nullptr;        // outcome of the version check
    QLabel* Label2 = nullptr;        // copyright
    QPushButton* Command1 = nullptr; // "OK"
    QPushButton* Command2 = nullptr; // "Check Version"
    QTimer* Timer1 = nullptr;        // time-out of the automatic check

    // --- Operations and handlers --------------------------------------------------------------
    // The automatic check: returns at once; once the version file is in (at most
    // kCheckTimeoutMs), fills Label6 (empty when the check fails), shows the default mouse
    // pointer and calls `checked`, unless this window is gone by then. Never shows a message.
    void checkupdates(std::function<void()> checked = {});
    void Command1_Click();
    // The manual check: returns at once; later fills Label6 and reports the outcome in a
    // message box. Meanwhile the windows take no clicks.
    void Command2_Click();
    void Timer1_Timer();

    QString localCopyPath() const;

private:
    void buildControls();
    using VersionChecked = std::function<void(std::optional<std::string> item)>;
    // The version check both the automatic and the manual check make: fetches the version file,
    // reads its first item, shows the outcome in Label6 and calls `checked` with the item (never
    // once this window is gone). Nothing when the transfer failed, stillInTime() said the check
    // came too late, or the copy held no item; the copy stays.
    void checkVersion(int timeoutMs, std::function<bool()> stillInTime, VersionChecked checked);
    std::optional<std::string> versionOf(const platform::DownloadOutcome& outcome);
    void reportManualCheck(const std::optional<std::string>& item);
    // The first item of the local copy; nothing when it cannot be read or holds no item.
    std::optional<std::string> readLocalCopy() const;

    platform::Platform& platform;
    const QString versionCopyPath;
    const QString vendorBase;
};

} // namespace tinctora::about
