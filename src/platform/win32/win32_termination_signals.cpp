#include "platform/termination_signals.h"

namespace tinctora::platform {

// Windows ends a program with messages, not signals: the close of the window, or the session's
// end, which Qt turns into aboutToQuit. There is nothing to catch.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;

} // namespace tinctora::platform
