#include "platform/qt/qt_desktop.h"

#include <QWidget>
#include <QWindow>

namespace tinctora::platform::qt {

void QtWindowLayer::setTopmost(QWidget* window, bool topmost) {
    // Setting the flag on the native window changes the window manager's "above" state in place;
    // QWidget::setWindowFlag would recreate the window.
    window->winId();
    if (QWindow* handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
    window->show();
}

} // namespace tinctora::platform::qt
