#pragma once

#include "about/frmAbout.h"
#include "fakes/fake_platform.h"
#include "platform/network/module_downloader.h"
#include "platform/qt/qt_desktop.h"
#include "test_files.h"
#include "test_http_server.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace tinctora::testing {

// Lets the fake downloader fetch through the real one (the network module the build made, as the
// program loads it), so that the program's calls are both recorded and sent to the test's HTTP
// server.
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

inline bool fileExists(const QString& path) {
    return QFile::exists(path);
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace tinctora::testing
