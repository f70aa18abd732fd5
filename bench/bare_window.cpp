// The least a Qt 6 Widgets program costs here: one window of Tinctora's size with one label. The
// bench table shows it beside Tinctora as the floor for start-up time and memory.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window("Bare Qt window");
    window.resize(286, 389);
    window.show();
    return QApplication::exec();
}
