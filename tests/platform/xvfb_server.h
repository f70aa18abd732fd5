#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace tinctora::testing {

// A private Xvfb for one group of tests: it picks a free display number itself (-displayfd),
// keeps its state between clients (-noreset) and ends with the object. Never the user's display.
class XvfbServer {
public:
    // screenArguments, for example {"-screen", "0", "1024x768x24"}.
    explicit XvfbServer(const std::vector<std::string>& screenArguments);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !name_.empty(); }
    // ":N", usable as DISPLAY.
    const std::string& name() const { return name_; }
    // Runs a shell command against this server; true when it exits with status 0. Tools such as
    // xsetroot and xdotool close their connection with a round trip, so the server has done
    // what they asked when this returns.
    bool run(const std::string& command) const;

private:
    pid_t pid_ = -1;
    std::string name_;
};

} // namespace tinctora::testing
