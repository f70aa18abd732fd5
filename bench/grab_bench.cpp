// Cost of freezing the screen: one whole-screen grab through shared memory and through the plain
// read, and a grab followed by the overlay shown over it (the key press to a frozen screen
// on view, less the key's own delivery). Needs an X display (bench/run starts Xvfb 1280x1024 with
// a gradient background). Each benchmark reports the median and p99 of single calls in ms.
#include <QApplication>
#include <QWindow>

#include "capture/freeze_overlay.h"
#include "platform/x11/x11_capture.h"

// Xlib's headers, with their macros, after every Qt header.
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_screen_grab.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace tinctora;

platform::x11::Connection* connection = nullptr;
platform::x11::X11Capture* backendInUse = nullptr;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void report(benchmark::State& state, std::vector<double>& ms) {
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
}

void grab(benchmark::State& state, platform::x11::X11ScreenGrabber::Transfer transfer) {
    platform::x11::X11ScreenGrabber grabber(*connection, transfer);
    std::vector<double> ms;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        const platform::GrabOutcome outcome = grabber.grab();
        ms.push_back(msSince(t0));
        if (!outcome.screen) {
            state.SkipWithError(qPrintable(outcome.message));
            return;
        }
    }
    report(state, ms);
}

void grabSharedMemory(benchmark::State& state) {
    grab(state, platform::x11::X11ScreenGrabber::Transfer::SharedMemoryWhenOffered);
}

void grabPlain(benchmark::State& state) {
    grab(state, platform::x11::X11ScreenGrabber::Transfer::PlainOnly);
}

// Grab, open the overlay and wait until the server has it on the screen.
void grabToOverlayShown(benchmark::State& state) {
    std::vector<double> ms;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        capture::FreezeOverlay* shown = nullptr;
        // What capture does on F6: the grab, then the overlay over it.
        backendInUse->screenGrabber().grabScreen([](platform::GrabOutcome outcome) {
            if (!outcome.screen) // not grabbed (Xlib's macros hide the status's name here)
                return;
            auto* overlay = new capture::FreezeOverlay(
                std::move(*outcome.screen), backendInUse->pointer(), backendInUse->pointerMover());
            overlay->setAttribute(Qt::WA_DeleteOnClose);
            overlay->open();
        });
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* overlay = qobject_cast<capture::FreezeOverlay*>(w);
                overlay && overlay->isVisible())
                shown = overlay;
        const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(5);
        while (shown && !(shown->windowHandle() && shown->windowHandle()->isExposed()) &&
               Clock::now() < giveUp)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (!shown || !shown->windowHandle()->isExposed()) {
            state.SkipWithError("the overlay did not show");
            return;
        }
        QCoreApplication::processEvents();
        ms.push_back(msSince(t0));
        state.PauseTiming();
        shown->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    report(state, ms);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QString reason;
    std::unique_ptr<platform::x11::Connection> own =
        platform::x11::Connection::open(nullptr, &reason);
    platform::x11::X11Opening opening = platform::x11::X11Capture::open();
    std::unique_ptr<platform::x11::X11Capture> backend = std::move(opening.capture);
    if (!own || !backend) {
        std::fprintf(stderr, "grab_bench needs an X11 display: %s\n",
                     qPrintable(own ? opening.reason : reason));
        return 2;
    }
    connection = own.get();
    backendInUse = backend.get();
    benchmark::RegisterBenchmark("freeze/grab_shared_memory", grabSharedMemory)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("freeze/grab_plain", grabPlain)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("freeze/grab_to_overlay_shown", grabToOverlayShown)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
