#include "about/about_window.h"

#include "about/program_icon.h"
#include "about/screen_pointer.h"
#include "about/version_file.h"
#include "widgets/twips.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

namespace tinctora::about {

namespace {

using widgets::px;
using widgets::twipRect;

constexpr int kClientWidthTwips = 6285;
constexpr int kClientHeightTwips = 4785;

const char kLatestVersion[] = "You have the latest Version: ";
const char kUpdateAvailable[] = "New update avaliable online!";
const char kCannotCheck[] = "Can not check for version at this time!";

QFont tahoma(qreal points, bool bold) {
    QFont font;
    // Tahoma where it is installed; otherwise a sans-serif of about its width, so that the
    // captions fit their labels.
    font.setFamilies(
        {"Tahoma", "DejaVu Sans Condensed", "Liberation Sans", "Nimbus Sans", "DejaVu Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, QRect geometry,
                const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // Captions may come from the server: never read them as rich text.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    // Drawn straight onto the picture, in a colour that does not follow the desktop's theme.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAutoFillBackground(false);
    return label;
}

QPushButton* whiteButton(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(palette);
    return button;
}

} // namespace

AboutWindow::AboutWindow(platform::Platform& platform, QString versionCopyPath, QString vendorBase,
                         QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      platform(platform), versionCopyPath(std::move(versionCopyPath)),
      vendorBase(std::move(vendorBase)) {
    setObjectName("frmAbout");
    setWindowTitle("About Tinctora 1.1");
    setWindowIcon(programIcon());
    setModal(true);
    // The buttons use the 8-point dialog font the window was laid out for.
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    buildControls();
    setFixedSize(px(kClientWidthTwips), px(kClientHeightTwips));
    connect(okButton_, &QPushButton::clicked, this, &AboutWindow::confirm);
    connect(checkVersionButton_, &QPushButton::clicked, this, &AboutWindow::checkNow);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::buildControls() {
    background_ = new QLabel(this);
    background_->setObjectName("Image1");
    background_->setGeometry(twipRect(-480, -840, 9000, 6000));
    background_->setPixmap(QPixmap(":/tinctora/about-background.png"));
    background_->lower();

    const QColor ink(Qt::black);
    const QString version = QString::fromStdString(runningVersionText());
    productLine_ =
        caption(this, "Label1", "Tinctora", twipRect(0, 0, 6255, 1215), tahoma(36, true), ink);
    versionLine_ = caption(this, "Label3", "Version " + version, twipRect(0, 960, 6255, 495),
                           tahoma(15.75, true), ink);
    creditLine_ = caption(
        this, "Label4", "Tinctora " + version + " was created and programmed by the Tinctora team",
        twipRect(0, 1440, 6255, 855), tahoma(15.75, false), ink);
    webSiteLine_ = caption(this, "Label5", "Visit us on the web at: " + webSiteAddress(),
                           twipRect(0, 2520, 6255, 495), tahoma(15.75, false), ink);
    checkOutcome_ = caption(this, "Label6", "You have the latest Version",
                            twipRect(0, 3240, 6255, 495), tahoma(15.75, false), ink);
    copyrightLine_ = caption(this, "Label2", QString::fromUtf8("\u00A9 2026 The Tinctora team"),
                             twipRect(0, 3720, 6255, 495), tahoma(15.75, false), Qt::white);
    // A long answer from the server stays on its one line rather than pushing the others.
    checkOutcome_->setWordWrap(false);

    okButton_ = whiteButton(this, "Command1", "OK", twipRect(1680, 4320, 1215, 375));
    checkVersionButton_ =
        whiteButton(this, "Command2", "Check Version", twipRect(3240, 4320, 1215, 375));
    setTabOrder(okButton_, checkVersionButton_);
    okButton_->setDefault(true);
    okButton_->setFocus(Qt::OtherFocusReason);
}

QString AboutWindow::localCopyPath() const {
    return versionCopyPath;
}

void AboutWindow::checkVersion(int timeoutMs, VersionChecked checked) {
    // The user's clicks and keys go nowhere until the check has ended; the windows stay painted.
    const QPointer<AboutWindow> self(this);
    platform.downloader.download(
        QUrl(versionFileAddress(vendorBase)), localCopyPath(), timeoutMs, true,
        [self, checked = std::move(checked)](const platform::DownloadOutcome& outcome) {
            if (!self)
                return;
            checked(self->versionOf(outcome));
        });
}

std::optional<std::string> AboutWindow::readLocalCopy() const {
    QFile file(localCopyPath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.read(static_cast<qint64>(kMaxItemLength) + 2);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return readFirstItem(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

std::optional<std::string> AboutWindow::versionOf(const platform::DownloadOutcome& outcome) {
    if (outcome.status != platform::DownloadOutcome::Status::Stored)
        return std::nullopt;
    const std::optional<std::string> item = readLocalCopy();
    if (!item)
        return std::nullopt;
    if (isRunningVersion(*item))
        checkOutcome_->setText(kLatestVersion + QString::fromStdString(*item));
    else
        checkOutcome_->setText(kUpdateAvailable);
    return item;
}

void AboutWindow::checkForUpdate(std::function<void()> checked) {
    checkVersion(kCheckTimeoutMs,
                 [this, checked = std::move(checked)](const std::optional<std::string>& item) {
                     if (!item || !QFile::remove(localCopyPath()))
                         checkOutcome_->clear();
                     showDefaultPointer();
                     if (checked)
                         checked();
                 });
}

void AboutWindow::confirm() {
    accept();
}

void AboutWindow::checkNow() {
    checkVersion(kManualTimeoutMs,
                 [this](const std::optional<std::string>& item) { reportManualCheck(item); });
}

void AboutWindow::reportManualCheck(const std::optional<std::string>& item) {
    const auto cannotCheck = [this] {
        platform.dialogs.message(this, kCannotCheck, "Error! Please visit " + webSiteName(),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Exclamation);
    };
    if (!item) {
        cannotCheck();
        return;
    }
    const QString version = QString::fromStdString(*item);
    if (isRunningVersion(*item))
        platform.dialogs.message(this, kLatestVersion + version, "Version",
                                 platform::MessageButtons::Ok, platform::MessageIcon::Information);
    else
        platform.dialogs.message(this, "New update avaliable online: " + version,
                                 "New Update - Visit " + webSiteName() + "!",
                                 platform::MessageButtons::Ok, platform::MessageIcon::Information);
    if (!QFile::remove(localCopyPath()))
        cannotCheck();
}

} // namespace tinctora::about
