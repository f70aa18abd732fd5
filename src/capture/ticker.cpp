#include "capture/ticker.h"

#include <QTimer>

namespace tinctora::capture {

namespace {

class TimerTicker final : public Ticker {
public:
    TimerTicker(int intervalMs, std::function<void()> onTick) {
        timer_.setInterval(intervalMs);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(onTick));
    }
    void start() override {
        // QTimer::start would restart a running timer, moving its next tick.
        if (!timer_.isActive())
            timer_.start();
    }
    void stop() override { timer_.stop(); }
    bool running() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

} // namespace

std::unique_ptr<Ticker> preciseTimer(int intervalMs, std::function<void()> onTick) {
    return std::make_unique<TimerTicker>(intervalMs, std::move(onTick));
}

} // namespace tinctora::capture
