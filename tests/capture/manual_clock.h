#pragma once

#include "capture/ticker.h"

#include <memory>
#include <vector>

namespace tinctora::testing {

// Tickers that tick only when the test says so, told apart by their interval.
class ManualClock {
public:
    // Hands out the tickers; they may live longer or shorter than the clock.
    capture::TickerFactory factory() {
        return [states = states_](int intervalMs, std::function<void()> onTick) {
            auto state = std::make_shared<State>();
            state->intervalMs = intervalMs;
            state->onTick = std::move(onTick);
            states->push_back(state);
            return std::make_unique<Manual>(state);
        };
    }
    // One tick of the running ticker with this interval, as its timer would give; false (and no
    // tick) when none runs.
    bool tick(int intervalMs) {
        for (const auto& state : *states_)
            if (state->alive && state->running && state->intervalMs == intervalMs) {
                state->onTick();
                return true;
            }
        return false;
    }
    bool running(int intervalMs) const {
        for (const auto& state : *states_)
            if (state->alive && state->running && state->intervalMs == intervalMs)
                return true;
        return false;
    }
    int runningCount() const {
        int n = 0;
        for (const auto& state : *states_)
            n += state->alive && state->running ? 1 : 0;
        return n;
    }

private:
    struct State {
        int intervalMs = 0;
        std::function<void()> onTick;
        bool running = false;
        bool alive = true;
    };
    class Manual final : public capture::Ticker {
    public:
        explicit Manual(std::shared_ptr<State> state) : state_(std::move(state)) {}
        ~Manual() override { state_->alive = false; }
        void start() override { state_->running = true; }
        void stop() override { state_->running = false; }
        bool running() const override { return state_->running; }

    private:
        std::shared_ptr<State> state_;
    };

    std::shared_ptr<std::vector<std::shared_ptr<State>>> states_ =
        std::make_shared<std::vector<std::shared_ptr<State>>>();
};

} // namespace tinctora::testing
