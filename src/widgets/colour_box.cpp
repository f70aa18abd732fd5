#include "widgets/colour_box.h"

#include "colour/qt_colour.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace tinctora::widgets {

namespace {

// What assistive technology finds of a colour box: a picture of one colour, or a button where the
// keyboard works it. The description is asked of the box only when it is read.
class ColourBoxAccessible final : public QAccessibleWidget {
public:
    explicit ColourBoxAccessible(ColourBox* box) : QAccessibleWidget(box) {}

    QAccessible::Role role() const override {
        return box()->keyboardOperable() ? QAccessible::Button : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description)
            return box()->description();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (box()->keyboardOperable())
            names << pressAction() << showMenuAction();
        return names;
    }

    void doAction(const QString& name) override {
        if (box()->keyboardOperable() && name == pressAction())
            emit box()->keyCommand(ColourBox::KeyCommand::Activate);
        else if (box()->keyboardOperable() && name == showMenuAction())
            emit box()->keyCommand(ColourBox::KeyCommand::Menu);
        else
            QAccessibleWidget::doAction(name);
    }

private:
    ColourBox* box() const { return static_cast<ColourBox*>(widget()); }
};

QAccessibleInterface* colourBoxAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(ColourBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<ColourBox*>(object))
            return new ColourBoxAccessible(box);
    return nullptr;
}

// A rectangle one pixel wide, as four fills.
void fillFrame(QPainter& painter, const QRect& r, const QColor& colour) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), colour);
    painter.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), colour);
}

} // namespace

ColourBox::ColourBox(QWidget* parent) : QFrame(parent) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(colourBoxAccessible);
        return true;
    }();
    (void)accessibleInstalled;
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
    if (keyboardOperable_ && hasFocus()) {
        // Inside the border, so the box keeps its size; dark and light, so that it shows on any
        // colour.
        QPainter focus(this);
        fillFrame(focus, contentsRect(), Qt::black);
        fillFrame(focus, contentsRect().adjusted(1, 1, -1, -1), Qt::white);
    }
}

void ColourBox::setDescriber(Describer describe) {
    describe_ = std::move(describe);
}

void ColourBox::descriptionChanged() {
    // Nobody is told while no assistive technology listens: the live colour changes often.
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void ColourBox::setKeyboardOperable(bool operable) {
    keyboardOperable_ = operable;
    update();
}

void ColourBox::keyPressEvent(QKeyEvent* event) {
    if (!keyboardOperable_) {
        QFrame::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    std::optional<KeyCommand> command;
    if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Left:
            command = KeyCommand::Previous;
            break;
        case Qt::Key_Right:
            command = KeyCommand::Next;
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            command = KeyCommand::Activate;
            break;
        case Qt::Key_Delete:
            command = KeyCommand::Delete;
            break;
        case Qt::Key_Menu:
            command = KeyCommand::Menu;
            break;
        default:
            break;
        }
    } else if (modifiers == Qt::ShiftModifier && event->key() == Qt::Key_F10) {
        command = KeyCommand::Menu;
    }
    if (!command) {
        // The window's own keys (F2, F3, F4) go on to it.
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
    emit keyCommand(*command);
}

void ColourBox::contextMenuEvent(QContextMenuEvent* event) {
    // The Menu key, as the desktop reports it. The right button already opened the menu when it
    // went down.
    if (keyboardOperable_ && event->reason() == QContextMenuEvent::Keyboard) {
        event->accept();
        emit keyCommand(KeyCommand::Menu);
        return;
    }
    QFrame::contextMenuEvent(event);
}

bool ColourBox::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && describe_) {
        const QString tip = describe_();
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
        }
        return true;
    }
    return QFrame::event(event);
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
