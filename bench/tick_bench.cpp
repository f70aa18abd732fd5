// Cost of one live tick (Timer1) of the real main window against the real X11 backend, including
// the repaint the tick causes. Needs an X display (bench/run starts Xvfb with a gradient
// background). Each benchmark reports the median and p99 of single calls.
#include "app/main_window.h"
#include "capture/capture_controller.h"
#include "platform/platform_factory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

Display* pointerControl = nullptr;
// Capture's 40 ms tick, called by the benchmarks instead of a timer.
std::function<void()> sampleTick;

// A ticker that never fires by itself: the benchmarks drive the ticks, nothing ticks in between.
class HandTicker final : public tinctora::capture::Ticker {
public:
    void start() override { running_ = true; }
    void stop() override { running_ = false; }
    bool running() const override { return running_; }

private:
    bool running_ = false;
};

std::unique_ptr<tinctora::capture::Ticker> handTicker(int intervalMs,
                                                      std::function<void()> onTick) {
    if (intervalMs == tinctora::capture::CaptureController::kSampleIntervalMs)
        sampleTick = std::move(onTick);
    return std::make_unique<HandTicker>();
}

void warpPointer(int x, int y) {
    XWarpPointer(pointerControl, None, DefaultRootWindow(pointerControl), 0, 0, 0, 0, x, y);
    XSync(pointerControl, False);
}

// Runs the work of one timer event as the event loop would: the handler, then the repaint and the
// flush to the X server it asked for.
template <typename Handler> double timedEvent(Handler handler) {
    const Clock::time_point t0 = Clock::now();
    handler();
    QCoreApplication::processEvents();
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

void report(benchmark::State& state, std::vector<double>& us) {
    if (us.empty())
        return;
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["p99_us"] = us[std::min(us.size() - 1, us.size() * 99 / 100)];
}

// The pointer rests on one pixel: the tick reads the pointer and the pixel and changes nothing.
void liveTickPointerStill(benchmark::State& state) {
    warpPointer(900, 700);
    sampleTick();
    QCoreApplication::processEvents();
    std::vector<double> us;
    for (auto _ : state)
        us.push_back(timedEvent([] { sampleTick(); }));
    report(state, us);
}

// Every tick finds a new colour under the pointer: all six fields and the swatch change.
void liveTickNewColour(benchmark::State& state) {
    std::vector<double> us;
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++step;
        warpPointer(700 + (step * 7) % 500, 500 + (step * 5) % 400);
        state.ResumeTiming();
        us.push_back(timedEvent([] { sampleTick(); }));
    }
    report(state, us);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    pointerControl = XOpenDisplay(nullptr);
    auto backend = tinctora::platform::makeDesktopPlatform();
    if (!pointerControl || !backend->platform().captureUnavailableReason.isEmpty()) {
        std::fprintf(stderr, "tick_bench needs an X11 display: %s\n",
                     qPrintable(backend->platform().captureUnavailableReason));
        return 2;
    }
    QTemporaryDir programFolder;
    tinctora::app::MainWindow form(backend->platform(), programFolder.path(),
                                   tinctora::about::vendorBaseAddress(), handTicker);
    form.startUp();
    QElapsedTimer shown;
    shown.start();
    while (shown.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    benchmark::RegisterBenchmark("live_tick/pointer_still", liveTickPointerStill)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("live_tick/new_colour", liveTickNewColour)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window is never closed, so no palette is written.
    return 0;
}
