#include "xvfb_server.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tinctora::testing {

namespace {

constexpr int kStartTimeoutMs = 15000;

} // namespace

XvfbServer::XvfbServer(const std::vector<std::string>& screenArguments) {
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(ready[0]);
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, STDOUT_FILENO);
        ::dup2(devNull, STDERR_FILENO);
        std::vector<std::string> words{"Xvfb",     "-displayfd", std::to_string(ready[1]),
                                       "-noreset", "-nolisten",  "tcp"};
        words.insert(words.end(), screenArguments.begin(), screenArguments.end());
        std::vector<char*> argv;
        for (std::string& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        ::execvp("Xvfb", argv.data());
        ::_exit(127);
    }
    ::close(ready[1]);
    if (pid_ < 0) {
        ::close(ready[0]);
        return;
    }
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{ready[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char c = 0;
        const ssize_t got = ::read(ready[0], &c, 1);
        if (got <= 0 || c == '\n')
            break;
        number += c;
    }
    ::close(ready[0]);
    if (!number.empty())
        name_ = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}

bool XvfbServer::run(const std::string& command) const {
    const std::string line = "export DISPLAY=" + name_ + "; { " + command + "; } >/dev/null 2>&1";
    const int status = std::system(line.c_str());
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace tinctora::testing
