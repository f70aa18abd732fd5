// Asks the desktop portal through Tinctora's own portal client and prints what came back, for the
// end-to-end tests on a real Wayland desktop:
//   portal_probe pick               ->  picked RRGGBB
//   portal_probe screenshot X Y     ->  grabbed WIDTHxHEIGHT RRGGBB (the pixel at X,Y)
//   portal_probe shortcuts          ->  bound | unavailable | cancelled
// Cancelled prints "cancelled" and exits with 2; a failure prints its message and exits with 1.

#include "platform/wayland/portal_colour_picker.h"
#include "platform/wayland/portal_global_shortcuts.h"
#include "platform/wayland/portal_screen_grabber.h"

#include <QGuiApplication>

#include <cstdio>

using namespace tinctora::platform;

namespace {

QString hex(QRgb rgb) {
    return QString::asprintf("%02X%02X%02X", qRed(rgb), qGreen(rgb), qBlue(rgb));
}

int finish(const QString& line, int status) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
    QCoreApplication::exit(status);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    wayland::PortalColourPicker picker;
    wayland::PortalScreenGrabber grabber;
    wayland::PortalGlobalShortcuts shortcuts;
    if (arguments.size() == 2 && arguments[1] == "pick") {
        picker.pickColour([](PickOutcome outcome) {
            if (outcome.status == PickOutcome::Status::Picked) {
                const int c = outcome.colour;
                finish("picked " + hex(qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)), 0);
            } else if (outcome.status == PickOutcome::Status::Cancelled) {
                finish("cancelled", 2);
            } else {
                finish("failed: " + outcome.message, 1);
            }
        });
    } else if (arguments.size() == 4 && arguments[1] == "screenshot") {
        const QPoint at(arguments[2].toInt(), arguments[3].toInt());
        grabber.grabScreen([at](GrabOutcome outcome) {
            if (outcome.status == GrabOutcome::Status::Grabbed) {
                const QImage& image = outcome.screen->image;
                if (!image.rect().contains(at))
                    return void(finish("failed: the point is outside the screenshot", 1));
                finish(QString("grabbed %1x%2 %3")
                           .arg(image.width())
                           .arg(image.height())
                           .arg(hex(image.pixel(at))),
                       0);
            } else if (outcome.status == GrabOutcome::Status::Cancelled) {
                finish("cancelled", 2);
            } else {
                finish("failed: " + outcome.message, 1);
            }
        });
    } else if (arguments.size() == 2 && arguments[1] == "shortcuts") {
        shortcuts.bind(
            [](ShortcutsOutcome outcome) {
                switch (outcome.status) {
                case ShortcutsOutcome::Status::Bound:
                    return void(finish("bound", 0));
                case ShortcutsOutcome::Status::Unavailable:
                    return void(finish("unavailable", 0));
                case ShortcutsOutcome::Status::Cancelled:
                    return void(finish("cancelled", 2));
                case ShortcutsOutcome::Status::Failed:
                    break;
                }
                finish("failed: " + outcome.message, 1);
            },
            [](HotKey) {});
    } else {
        std::fprintf(
            stderr,
            "usage: portal_probe pick | portal_probe screenshot X Y | portal_probe shortcuts\n");
        return 64;
    }
    return app.exec();
}
