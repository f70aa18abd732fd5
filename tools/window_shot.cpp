// Saves a picture of one X11 window, as the X server shows it, to a PNG file, or of a rectangle
// of it. Used by scripts/screenshots to illustrate the manual with the real program.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 3 && argc != 7) {
        std::fprintf(stderr, "usage: window_shot WINDOW-ID OUTPUT.png [X Y WIDTH HEIGHT]\n");
        return 2;
    }
    bool ok = false;
    const WId window = QString::fromLocal8Bit(argv[1]).toULongLong(&ok, 0);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!ok || !screen) {
        std::fprintf(stderr, "window_shot: no window %s or no screen\n", argv[1]);
        return 1;
    }
    int area[4] = {0, 0, -1, -1};
    for (int i = 0; i < 4 && argc == 7; ++i)
        area[i] = QString::fromLocal8Bit(argv[3 + i]).toInt();
    const QPixmap picture = screen->grabWindow(window, area[0], area[1], area[2], area[3]);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "window_shot: cannot save window %s to %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
