#include "about/screen_pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace tinctora::about {

void showBusyPointer() {
    if (!busyPointerShown())
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void showDefaultPointer() {
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool busyPointerShown() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

} // namespace tinctora::about
