#include "app/Form1.h"
#include "app/termination_signals.h"
#include "platform/platform_factory.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tinctora");
    QApplication::setApplicationVersion("1.1");
    // The program ends when the main window closes, even while a dialog of it is open.
    QApplication::setQuitOnLastWindowClosed(true);

    auto backend = tinctora::platform::makeDesktopPlatform();
    tinctora::app::Form1 window(backend->platform(), QApplication::applicationDirPath());

    tinctora::app::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &tinctora::app::TerminationSignals::terminationRequested,
                     &window, &QWidget::close);
    // A desktop session that ends the application without closing its window still gets the
    // default palette written.
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &window,
                     &tinctora::app::Form1::QueryUnload);

    window.Form_Load();
    return QApplication::exec();
}
