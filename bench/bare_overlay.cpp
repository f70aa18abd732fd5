// The least a Qt 6 Widgets window costs that follows the pointer over a still picture of the whole
// screen: full screen, it repaints at every move of the pointer the picture where a box of the
// magnifier's size was and a plain box where it is now. The bench table shows it as the floor for
// the frozen screen's magnifier.
#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class BoxFollowingThePointer final : public QWidget {
public:
    BoxFollowingThePointer()
        : picture_(QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
              QImage::Format_RGB32)) {
        setWindowTitle(QStringLiteral("Bare overlay"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override {
        const QRect now(event->position().toPoint() + QPoint(17, 17), QSize(135, 175));
        update(box_ | now);
        box_ = now;
    }
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.drawImage(event->rect().topLeft(), picture_, event->rect());
        painter.fillRect(box_, Qt::darkGray);
    }

private:
    QImage picture_;
    QRect box_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    BoxFollowingThePointer window;
    window.showFullScreen();
    return QApplication::exec();
}
