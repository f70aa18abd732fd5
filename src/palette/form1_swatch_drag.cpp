// Dragging the current colour from Picture1 onto a swatch, and out to other programs.
#include "app/Form1.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMimeData>

// The pictures live in a static library: naming the resource keeps it linked in.
static void registerDragIconResource() {
    Q_INIT_RESOURCE(tinctora);
}

namespace tinctora::app {

namespace {

// Identifies this window, so that a drag from another running Tinctora (which would store this
// window's colour, not the one dragged) is not taken as ours.
QByteArray dragOrigin(const Form1* window) {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(window), 16);
}

QPixmap dragIcon() {
    registerDragIconResource();
    QIcon icon;
    icon.addFile(":/tinctora/drag-icon-16.png");
    icon.addFile(":/tinctora/drag-icon-32.png");
    return icon.pixmap(QSize(32, 32));
}

} // namespace

QMimeData* Form1::currentColourDragData() const {
    auto* data = new QMimeData;
    data->setData(kColourMimeType, dragOrigin(this));
    if (const std::optional<capture::ColourValue> shown = Picture1->backColor()) {
        data->setColorData(QColor(capture::redByte(*shown), capture::greenByte(*shown),
                                  capture::blueByte(*shown)));
        data->setText(QString::fromLatin1(capture::hexText(*shown)));
    }
    return data;
}

void Form1::wireSwatchDragAndDrop() {
    Picture1->setDragSource([this] { return currentColourDragData(); }, dragIcon());
    const QByteArray origin = dragOrigin(this);
    for (ColourBox* swatch : swatches)
        swatch->setDropFilter([origin](const QMimeData* data) {
            return data && data->data(kColourMimeType) == origin;
        });
}

} // namespace tinctora::app
