#pragma once

#include "about/vendor_site.h"
#include "platform/platform.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QPushButton;

namespace tinctora::about {

// The About window: product, version, credits and the outcome of a version check against the
// version file on the vendor's web server. It is created hidden, checked by checkForUpdate, shown
// modally by the Help menu's About command and destroyed when it closes.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // versionCopyPath: where the downloaded version file is kept while it is read.
    // vendorBase: "http://" and the vendor's host; tests hand in their own server's address.
    AboutWindow(platform::Platform& platform, QString versionCopyPath,
                QString vendorBase = vendorBaseAddress(), QWidget* owner = nullptr);
    ~AboutWindow() override;

    // How long the automatic check waits for the version file before it gives up; the downloader
    // keeps the time and reports a late reply as timed out.
    static constexpr int kCheckTimeoutMs = 4000;
    // How long "Check Version" waits; the window stays painted meanwhile.
    static constexpr int kManualTimeoutMs = 15000;

    // --- Operations and handlers --------------------------------------------------------------
    // The automatic check: returns at once; once the version file is in (at most
    // kCheckTimeoutMs), fills the outcome line (empty when the check fails), shows the default
    // mouse pointer and calls `checked`, unless this window is gone by then. Never shows a message.
    void checkForUpdate(std::function<void()> checked = {});
    void confirm();
    // The manual check: returns at once; later fills the outcome line and reports the outcome in a
    // message box. Meanwhile the windows take no clicks.
    void checkNow();

    QString localCopyPath() const;

private:
    // Each with its object name on the form.
    QLabel* background_ = nullptr;              // Image1: the picture under everything
    QLabel* productLine_ = nullptr;             // Label1: the product name
    QLabel* versionLine_ = nullptr;             // Label3: the version
    QLabel* creditLine_ = nullptr;              // Label4: the credit line
    QLabel* webSiteLine_ = nullptr;             // Label5: the web site
    QLabel* checkOutcome_ = nullptr;            // Label6: the outcome of the version check
    QLabel* copyrightLine_ = nullptr;           // Label2: the copyright
    QPushButton* okButton_ = nullptr;           // Command1 "OK"
    QPushButton* checkVersionButton_ = nullptr; // Command2 "Check Version"

    void buildControls();
    using VersionChecked = std::function<void(std::optional<std::string> item)>;
    // The version check both the automatic and the manual check make: fetches the version file
    // within timeoutMs, reads its first item, shows the outcome as the outcome line and calls
    // `checked` with the item (never once this window is gone). Nothing when the transfer failed
    // or timed out, or the copy held no item; the copy stays.
    void checkVersion(int timeoutMs, VersionChecked checked);
    std::optional<std::string> versionOf(const platform::DownloadOutcome& outcome);
    void reportManualCheck(const std::optional<std::string>& item);
    // The first item of the local copy; nothing when it cannot be read or holds no item.
    std::optional<std::string> readLocalCopy() const;

    platform::Platform& platform;
    const QString versionCopyPath;
    const QString vendorBase;
};

} // namespace tinctora::about
