// The swatch row on the window: showing it, storing and recalling colours, the popup menu, and
// dragging the current colour from the current-colour box onto a swatch and out to other programs.
#include "app/main_window.h"
#include "capture/capture_controller.h"
#include "colour/colour_names.h"
#include "colour/qt_colour.h"
#include "widgets/colour_box.h"

#include <QCoreApplication>
#include <QCursor>
#include <QIcon>
#include <QMenu>
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
QByteArray dragOrigin(const MainWindow* window) {
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

QString MainWindow::swatchName(int slot, std::optional<colour::ColourValue> colour) {
    if (!colour)
        return QString("Swatch %1, empty").arg(slot);
    return QString("Swatch %1, %2")
        .arg(slot)
        .arg(QString::fromStdString(colour::spokenColour(*colour)));
}

void MainWindow::showRow() {
    for (int slot = 1; slot <= palette::kSlotCount; ++slot) {
        widgets::ColourBox* box = swatch(slot);
        // An empty slot always looks empty, even where a palette file put "0" (black) in slot 1.
        const std::optional<colour::ColourValue> v = row_.colourOf(slot);
        if (v)
            box->setBackColor(*v);
        else
            box->setSystemColour(QPalette::Button);
        // Set only on a change: each one is news to a listening screen reader.
        const QString name = swatchName(slot, v);
        if (box->accessibleName() != name)
            box->setAccessibleName(name);
        const QString tip = v ? QString::fromStdString(colour::spokenColour(*v)) : QString();
        if (box->toolTip() != tip)
            box->setToolTip(tip);
    }
}

void MainWindow::storeColour(const colour::ShownColour& shown, std::optional<int> slot) {
    if (slot)
        row_.put(*slot, palette::slotTextOf(shown));
    else
        row_.add(palette::slotTextOf(shown));
}

void MainWindow::recallSlot(std::optional<int> slot) {
    // A hand-edited palette may hold a text that is no number: it is no colour to show.
    const std::optional<colour::ShownColour> recalled = row_.recall(slot);
    if (!recalled)
        return;
    capture_->showFrozen(*recalled);
    hoveredSlot_.reset();
}

void MainWindow::swatchPressed(int slot, Qt::MouseButton button) {
    pressedSlot_ = slot;
    if (button == Qt::RightButton)
        swatchMenu_->popup(QCursor::pos());
}

void MainWindow::swatchKey(int slot, widgets::ColourBox::KeyCommand command) {
    using Command = widgets::ColourBox::KeyCommand;
    switch (command) {
    case Command::Previous:
    case Command::Next: {
        // Along the row of twelve, stopping at its ends.
        const int next = slot + (command == Command::Next ? 1 : -1);
        if (next >= 1 && next <= palette::kSlotCount)
            swatch(next)->setFocus(Qt::TabFocusReason);
        break;
    }
    case Command::Activate:
        recallSlot(slot);
        break;
    case Command::Delete:
        row_.empty(slot);
        break;
    case Command::Menu: {
        // Some desktops report the Menu key both as a key and as a menu request.
        if (swatchMenu_->isVisible())
            break;
        pressedSlot_ = slot;
        widgets::ColourBox* box = swatch(slot);
        swatchMenu_->popup(box->mapToGlobal(box->rect().center()));
        swatchMenu_->setActiveAction(showSwatchAction_);
        break;
    }
    }
}

void MainWindow::colourDropped(int slot) {
    // Before the first colour there is nothing to store: an empty slot text would make the
    // palette file unreadable.
    const std::optional<colour::ShownColour> shown = capture_->current();
    if (!shown)
        return;
    capture_->freeze();
    storeColour(*shown, slot);
}

QMimeData* MainWindow::currentColourDragData() const {
    auto* data = new QMimeData;
    data->setData(kColourMimeType, dragOrigin(this));
    if (const std::optional<colour::ShownColour>& shown = capture_->current()) {
        const colour::ColourValue v = shown->value;
        data->setColorData(colour::toQColor(v));
        // With the "#" that colour fields, style sheets and HTML expect before the six digits.
        data->setText(QString::fromLatin1("#" + colour::hexText(v)));
    }
    return data;
}

void MainWindow::wireSwatchDragAndDrop() {
    currentColourBox_->setDragSource([this] { return currentColourDragData(); },
                                     [this](const QMimeData& data) {
                                         if (!data.hasColor())
                                             return colourlessDragIcon();
                                         return colourSquare(
                                             data.colorData().value<QColor>(),
                                             currentColourBox_->devicePixelRatioF());
                                     });
    const QByteArray origin = dragOrigin(this);
    for (widgets::ColourBox* box : swatchBoxes_)
        box->setDropFilter([origin](const QMimeData* data) {
            return data && data->data(kColourMimeType) == origin;
        });
}

} // namespace tinctora::app
