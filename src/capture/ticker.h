#pragma once

#include <functional>
#include <memory>

namespace tinctora::capture {

// A repeating tick from the event loop. Capture samples and polls the keys on these; the program
// uses precise timers, and tests tick by hand.
class Ticker {
public:
    virtual ~Ticker() = default;
    // Starting a ticker that runs goes on with it; stopping one that does not changes nothing.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
};

// Makes a stopped ticker that calls onTick every intervalMs while it runs.
using TickerFactory =
    std::function<std::unique_ptr<Ticker>(int intervalMs, std::function<void()> onTick)>;

// A precise timer of the toolkit: the program's own ticker.
std::unique_ptr<Ticker> preciseTimer(int intervalMs, std::function<void()> onTick);

} // namespace tinctora::capture
