// Dragging the current colour from Picture1 onto a swatch, and out to other programs.
#include "app/Form1.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>

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

constexpr int kDragIconSide = 32;

// Before the first sample there is no colour to show: the program's own drag picture stands in.
QPixmap colourlessDragIcon() {
    registerDragIconResource();
    QIcon icon;
    icon.addFile(":/tinctora/drag-icon-16.png");
    icon.addFile(":/tinctora/drag-icon-32.png");
    return icon.pixmap(QSize(kDragIconSide, kDragIconSide));
}

// A square of the dragged colour. A dark edge with a light one inside keeps it visible over
// whatever it passes, a colour like its own included.
QPixmap colourSquare(const QColor& colour, qreal pixelRatio) {
    QPixmap icon(QSize(kDragIconSide, kDragIconSide) * pixelRatio);
    icon.setDevicePixelRatio(pixelRatio);
    QPainter painter(&icon);
    const QRect whole(0, 0, kDragIconSide, kDragIconSide);
    painter.fillRect(whole, Qt::black);
    painter.fillRect(whole.adjusted(1, 1, -1, -1), Qt::white);
    painter.fillRect(whole.adjusted(2, 2, -2, -2), colour);
    return icon;
}

} // namespace

QMimeData* Form1::currentColourDragData() const {
    auto* data = new QMimeData;
    data->setData(kColourMimeType, dragOrigin(this));
    if (const std::optional<capture::ColourValue> shown = Picture1->backColor()) {
        data->setColorData(QColor(capture::redByte(*shown), capture::greenByte(*shown),
                                  capture::blueByte(*shown)));
        // With the "#" that colour fields, style sheets and HTML expect before the six digits.
        data->setText(QString::fromLatin1("#" + capture::hexText(*shown)));
    }
    return data;
}

void Form1::wireSwatchDragAndDrop() {
    Picture1->setDragSource([this] { return currentColourDragData(); },
                            [this](const QMimeData& data) {
                                if (!data.hasColor())
                                    return colourlessDragIcon();
                                return colourSquare(data.colorData().value<QColor>(),
                                                    Picture1->devicePixelRatioF());
                            });
    const QByteArray origin = dragOrigin(this);
    for (ColourBox* swatch : swatches)
        swatch->setDropFilter([origin](const QMimeData* data) {
            return data && data->data(kColourMimeType) == origin;
        });
}

} // namespace tinctora::app
