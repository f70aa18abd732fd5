#include "widgets/colour_box.h"

#include "colour/qt_colour.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace tinctora::widgets {

ColourBox::ColourBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(2);
    // The box paints its colour itself: its palette, and so the frame drawn from it, stays the
    // same while the colour follows the pointer.
    setAttribute(Qt::WA_OpaquePaintEvent);
    shown_ = palette().color(QPalette::Window);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void ColourBox::setBackColor(colour::ColourValue v) {
    backColor_ = v;
    paintWith(colour::toQColor(v));
}

void ColourBox::setSystemColour(QPalette::ColorRole role) {
    backColor_.reset();
    paintWith(palette().color(role));
}

void ColourBox::paintWith(const QColor& colour) {
    // Touch the palette only on a real change: the live tick calls this 25 times a second.
    if (colour == shown_ && shown_.isValid())
        return;
    shown_ = colour;
    update();
}

void ColourBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), shown_);
    painter.end();
    QFrame::paintEvent(event);
}

void ColourBox::setDragSource(DragDataFactory data, DragIconFactory icon) {
    dragData_ = std::move(data);
    dragIcon_ = std::move(icon);
}

void ColourBox::setDropFilter(DropFilter accepts) {
    acceptsDrop_ = std::move(accepts);
    setAcceptDrops(static_cast<bool>(acceptsDrop_));
}

void ColourBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    QFrame::mouseMoveEvent(event);
}

void ColourBox::mousePressEvent(QMouseEvent* event) {
    pressedInside_ = true;
    emit mousePressed(event->button());
    if (dragData_ && event->button() == Qt::LeftButton) {
        // The drag starts as soon as the button goes down, as the current-colour swatch promises.
        pressedInside_ = false;
        auto* drag = new QDrag(this);
        QMimeData* data = dragData_();
        drag->setMimeData(data);
        if (const QPixmap icon = dragIcon(*data); !icon.isNull())
            drag->setPixmap(icon);
        // Qt deletes the drag itself once it is over. Under X11 that is after exec() returns:
        // another program reads the data only after the drop, so deleting it here would hand
        // that program nothing.
        drag->exec(Qt::CopyAction);
        return;
    }
    QFrame::mousePressEvent(event);
}

void ColourBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressedInside_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressedInside_ = false;
    if (click)
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

void ColourBox::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptsDrop_ && acceptsDrop_(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ColourBox::dragMoveEvent(QDragMoveEvent* event) {
    if (acceptsDrop_ && acceptsDrop_(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ColourBox::dropEvent(QDropEvent* event) {
    if (!acceptsDrop_ || !acceptsDrop_(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit dropped(event->mimeData());
}

} // namespace tinctora::widgets
