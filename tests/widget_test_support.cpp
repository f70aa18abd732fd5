#include "widget_test_support.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <stdexcept>

namespace tinctora::testing {

namespace {

template <typename T> T* named(const QObject& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no control named " + name.toStdString());
    return found;
}

} // namespace

QByteArray crlfLines(std::initializer_list<const char*> values) {
    QByteArray bytes;
    for (const char* v : values)
        bytes += QByteArray(v) + "\r\n";
    return bytes;
}

MainWindowControls::MainWindowControls(const app::MainWindow& w)
    : Frame1(named<QGroupBox>(w, "Frame1")), Frame2(named<QGroupBox>(w, "Frame2")),
      Frame3(named<QGroupBox>(w, "Frame3")), Frame4(named<QGroupBox>(w, "Frame4")),
      Frame5(named<QGroupBox>(w, "Frame5")), Picture1(named<widgets::ColourBox>(w, "Picture1")),
      Label1(named<QLabel>(w, "Label1")), Label2(named<QLabel>(w, "Label2")),
      Label3(named<QLabel>(w, "Label3")), Label4(named<QLabel>(w, "Label4")),
      Label5(named<QLabel>(w, "Label5")), Label6(named<QLabel>(w, "Label6")),
      Label7(named<QLabel>(w, "Label7")), Label8(named<QLabel>(w, "Label8")),
      Label9(named<QLabel>(w, "Label9")), Label10(named<QLabel>(w, "Label10")),
      Text1(named<QLineEdit>(w, "Text1")), Text2(named<QLineEdit>(w, "Text2")),
      Text3(named<QLineEdit>(w, "Text3")), Text4(named<QLineEdit>(w, "Text4")),
      Text5(named<QLineEdit>(w, "Text5")), Text6(named<QLineEdit>(w, "Text6")),
      Command1(named<QPushButton>(w, "Command1")), Command2(named<QPushButton>(w, "Command2")),
      Command3(named<QPushButton>(w, "Command3")), fil(named<QMenu>(w, "fil")),
      set(named<QMenu>(w, "set")), hel(named<QMenu>(w, "hel")), mnu(named<QMenu>(w, "mnu")),
      nw(named<QAction>(w, "nw")), ldpal(named<QAction>(w, "ldpal")),
      svpal(named<QAction>(w, "svpal")), svas(named<QAction>(w, "svas")),
      impgpl(named<QAction>(w, "impgpl")), expgpl(named<QAction>(w, "expgpl")),
      altop(named<QAction>(w, "altop")), cleall(named<QAction>(w, "cleall")),
      frzpick(named<QAction>(w, "frzpick")), pdf(named<QAction>(w, "pdf")),
      helon(named<QAction>(w, "helon")), abo(named<QAction>(w, "abo")),
      shom(named<QAction>(w, "shom")), del(named<QAction>(w, "del")), window_(w) {}

widgets::ColourBox* MainWindowControls::Picture(int n) const {
    return named<widgets::ColourBox>(window_, QString("Picture%1").arg(n));
}

MainWindowFixture::MainWindowFixture() = default;

MainWindowFixture::~MainWindowFixture() = default;

void MainWindowFixture::writeDefaultPalette(const QByteArray& bytes) const {
    QDir(folder()).mkpath("Pallets");
    QFile file(folder() + "/Pallets/default.ini");
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray MainWindowFixture::readDefaultPalette() const {
    return fileBytes(folder() + "/Pallets/default.ini");
}

app::MainWindow& MainWindowFixture::load(const QString& vendorBase) {
    window =
        std::make_unique<app::MainWindow>(fakes.platform, folder(), vendorBase, clock.factory());
    window->startUp();
    return *window;
}

void MainWindowFixture::sample(std::int32_t colour) {
    fakes.pointer.at = platform::ScreenPoint{10, 10};
    fakes.screen.paint({10, 10}, colour);
    tick();
}

bool MainWindowFixture::tick() {
    return clock.tick(capture::CaptureController::kSampleIntervalMs);
}

void MainWindowFixture::poll() {
    clock.tick(capture::CaptureController::kHotKeyIntervalMs);
}

} // namespace tinctora::testing
