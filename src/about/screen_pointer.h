#pragma once

// The screen-wide mouse pointer of the application: the hourglass while a command works, and
// back to the default. Like the classic screen pointer these are settings, not a stack: one
// showDefaultPointer undoes any number of showBusyPointer calls.
namespace tinctora::about {

void showBusyPointer();
void showDefaultPointer();
bool busyPointerShown();

} // namespace tinctora::about
