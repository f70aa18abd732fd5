#pragma once

#include "about/about_window.h"
#include "fakes/fake_platform.h"
#include "platform/qt/qt_desktop.h"
#include "program_downloader.h"
#include "test_files.h"
#include "test_http_server.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <stdexcept>

namespace tinctora::testing {

// Lets the fake downloader fetch through the real one (the program's own: ProgramDownloader), so
// that the program's calls are both recorded and sent to the test's HTTP server.
inline void downloadForReal(platform::fake::FakeDownloader& fake, platform::Downloader& real) {
    fake.forwardTo = &real;
}

// Runs the event loop until `ended` says so; false when it still says no after 60 s.
inline bool waitUntil(const std::function<bool()>& ended) {
    return QTest::qWaitFor(ended, 60000);
}

// Acts on a window of type W as soon as it is shown modally, then (unless `act` closed it)
// leaves it to the caller's `close`. Counts how often a window was found.
template <typename W> class WhenShownModally {
public:
    WhenShownModally(std::function<void(W&)> act, std::function<void(W&)> close)
        : act_(std::move(act)), close_(std::move(close)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
            if (!window || !window->isVisible() || handling_)
                return;
            handling_ = true;
            ++shown;
            act_(*window);
            close_(*window);
            handling_ = false;
        });
        poll_.start(10);
    }
    int shown = 0;

private:
    std::function<void(W&)> act_;
    std::function<void(W&)> close_;
    QTimer poll_;
    bool handling_ = false;
};

// The About window's controls, found by the object names they have on the form.
struct AboutControls {
    explicit AboutControls(const about::AboutWindow& w)
        : Image1(named<QLabel>(w, "Image1")), Label1(named<QLabel>(w, "Label1")),
          Label2(named<QLabel>(w, "Label2")), Label3(named<QLabel>(w, "Label3")),
          Label4(named<QLabel>(w, "Label4")), Label5(named<QLabel>(w, "Label5")),
          Label6(named<QLabel>(w, "Label6")), Command1(named<QPushButton>(w, "Command1")),
          Command2(named<QPushButton>(w, "Command2")) {}
    QLabel *Image1, *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    QPushButton *Command1, *Command2;

private:
    template <typename T> static T* named(const QObject& window, const char* name) {
        T* found = window.findChild<T*>(name);
        if (!found)
            throw std::runtime_error(std::string("no control named ") + name);
        return found;
    }
};

inline AboutControls controls(const about::AboutWindow& window) {
    return AboutControls(window);
}

inline bool fileExists(const QString& path) {
    return QFile::exists(path);
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace tinctora::testing
