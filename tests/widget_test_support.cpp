#include "widget_test_support.h"

#include <QDir>
#include <QFile>
#include <QTimer>

namespace tinctora::testing {

QByteArray crlfLines(std::initializer_list<const char*> values) {
    QByteArray bytes;
    for (const char* v : values)
        bytes += QByteArray(v) + "\r\n";
    return bytes;
}

MainWindowFixture::MainWindowFixture() = default;

MainWindowFixture::~MainWindowFixture() {
    if (window) {
        window->Timer1->stop();
        window->Timer2->stop();
        // Leave without the close handling: tests that close say so.
        window->defaultPaletteSaved = true;
        window.reset();
    }
}

void MainWindowFixture::writeDefaultPalette(const QByteArray& bytes) const {
    QDir(folder()).mkpath("Pallets");
    QFile file(folder() + "/Pallets/default.ini");
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray MainWindowFixture::readDefaultPalette() const {
    QFile file(folder() + "/Pallets/default.ini");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

app::Form1& MainWindowFixture::load() {
    window = std::make_unique<app::Form1>(fakes.platform, folder());
    window->Form_Load();
    // The tests drive the timers by hand.
    window->Timer2->stop();
    return *window;
}

void MainWindowFixture::sample(std::int32_t colour) {
    fakes.pointer.at = platform::ScreenPoint{10, 10};
    fakes.screen.paint({10, 10}, colour);
    window->Timer1_Timer();
}

void MainWindowFixture::poll() {
    window->Timer2_Timer();
}

} // namespace tinctora::testing
