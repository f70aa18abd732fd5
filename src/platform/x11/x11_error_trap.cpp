#include "platform/x11/x11_error_trap.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace tinctora::platform::x11 {

namespace {

// Xlib keeps the error handler per process, so the list of trapped connections has to be
// process-wide too.
struct TrapList {
    std::mutex mutex;
    std::vector<ErrorTrap*> traps;
    XErrorHandler previous = nullptr;
    bool installed = false;
};

TrapList& trapList() {
    static TrapList list;
    return list;
}

int onXError(Display* display, XErrorEvent* error) {
    XErrorHandler previous = nullptr;
    {
        TrapList& list = trapList();
        std::lock_guard lock(list.mutex);
        for (ErrorTrap* trap : list.traps) {
            if (trap->display() == display) {
                trap->record(*error);
                return 0;
            }
        }
        previous = list.previous;
    }
    return previous ? previous(display, error) : 0;
}

} // namespace

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
    TrapList& list = trapList();
    std::lock_guard lock(list.mutex);
    if (!list.installed) {
        list.previous = XSetErrorHandler(onXError);
        list.installed = true;
    }
    list.traps.push_back(this);
}

ErrorTrap::~ErrorTrap() {
    TrapList& list = trapList();
    std::lock_guard lock(list.mutex);
    list.traps.erase(std::remove(list.traps.begin(), list.traps.end(), this), list.traps.end());
}

void ErrorTrap::record(const XErrorEvent& error) {
    ++count_;
    lastErrorCode_ = error.error_code;
}

} // namespace tinctora::platform::x11
