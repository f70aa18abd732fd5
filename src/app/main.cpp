#include "app/data_locations.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "platform/platform_factory.h"
#include "platform/termination_signals.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Without a display Qt would abort; say why and stop instead.
    if (const QString reason = tinctora::platform::desktopUnavailableReason(); !reason.isEmpty()) {
        std::fprintf(stderr, "tinctora: %s\n", qPrintable(reason));
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tinctora");
    QApplication::setApplicationVersion("1.1");
    // The program ends when the main window closes, even while a dialog of it is open.
    QApplication::setQuitOnLastWindowClosed(true);

    // A second copy on the same palettes would overwrite at its close what this one stores.
    using tinctora::app::SingleInstance;
    SingleInstance instance(tinctora::app::paletteFolderFor(QApplication::applicationDirPath()));
    const SingleInstance::Claim claim = instance.claim();
    if (const QString report = instance.report(); !report.isEmpty())
        std::fprintf(stderr, "tinctora: %s\n", qPrintable(report));
    if (claim == SingleInstance::Claim::OtherRaised)
        return 0;
    if (claim == SingleInstance::Claim::OtherSilent)
        return 1;

    auto backend = tinctora::platform::makeDesktopPlatform();
    tinctora::app::MainWindow window(backend->platform(), QApplication::applicationDirPath());
    QObject::connect(&instance.channel(), &tinctora::platform::InstanceChannel::called, &window,
                     &tinctora::app::MainWindow::bringToFront);

    tinctora::platform::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals,
                     &tinctora::platform::TerminationSignals::terminationRequested, &window,
                     [&window] {
                         window.close();
                         // A window that was never shown (the signal came before Load) does not
                         // end the program by closing.
                         QCoreApplication::quit();
                     });
    // A desktop session that ends the application without closing its window still gets the
    // default palette written.
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &window,
                     &tinctora::app::MainWindow::saveOnClose);

    // Load runs inside the event loop: a close that arrives while its start-up message is open
    // (a signal, the session ending) then ends the program instead of leaving it running with
    // no window.
    QTimer::singleShot(0, &window, &tinctora::app::MainWindow::startUp);
    return QApplication::exec();
}
