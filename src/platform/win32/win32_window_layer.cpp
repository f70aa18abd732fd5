#include "platform/win32/win32_desktop.h"

#include <QWidget>

#include <windows.h>

namespace tinctora::platform::win32 {

void Win32WindowLayer::setTopmost(QWidget* window, bool topmost) {
    // Qt shows the window first, so that it knows the window is visible; the band then changes
    // in place, where QWidget::setWindowFlag would recreate the window.
    window->show();
    SetWindowPos(reinterpret_cast<HWND>(window->winId()), topmost ? HWND_TOPMOST : HWND_NOTOPMOST,
                 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace tinctora::platform::win32
