#pragma once

#include "colour/colour_text.h"

#include <QColor>
#include <QFrame>

#include <functional>

#include <QMimeData>

namespace tinctora::widgets {

// A picture box used as a colour swatch: it shows one colour as its background and reports the
// mouse and drag-and-drop events the main window handles.
class ColourBox : public QFrame {
    Q_OBJECT
public:
    explicit ColourBox(QWidget* parent = nullptr);

    // The colour as a colour value; nothing while the box shows a system colour.
    std::optional<colour::ColourValue> backColor() const { return backColor_; }
    void setBackColor(colour::ColourValue v);
    // Shows a colour of the desktop scheme (the empty-slot look, or the start-up look).
    void setSystemColour(QPalette::ColorRole role);
    QColor shownColour() const { return shown_; }

    // When set, pressing the left button starts a drag carrying what the data factory returns,
    // under the pointer the picture the icon factory draws for that data.
    using DragDataFactory = std::function<QMimeData*()>;
    using DragIconFactory = std::function<QPixmap(const QMimeData&)>;
    void setDragSource(DragDataFactory data, DragIconFactory icon);
    // What a drag from this box would carry now (the caller owns it), or null for no drag source.
    QMimeData* dragData() const { return dragData_ ? dragData_() : nullptr; }
    // The picture a drag of this data shows; null without an icon factory.
    QPixmap dragIcon(const QMimeData& data) const {
        return dragIcon_ ? dragIcon_(data) : QPixmap();
    }
    // When set, drops whose data the predicate accepts are taken and reported by dropped().
    using DropFilter = std::function<bool(const QMimeData*)>;
    void setDropFilter(DropFilter accepts);

    // What the box's tooltip and its accessible description say, worked out only when someone
    // asks (the live colour changes 25 times a second); descriptionChanged() tells a listening
    // screen reader that it changed. Without a describer the box has the tooltip set on it and
    // the accessible description set on it.
    using Describer = std::function<QString()>;
    void setDescriber(Describer describe);
    QString description() const { return describe_ ? describe_() : accessibleDescription(); }
    void descriptionChanged();

    // A box that the keyboard works: it shows a focus frame inside its border while it has the
    // focus, and turns its keys into keyCommand().
    void setKeyboardOperable(bool operable);
    bool keyboardOperable() const { return keyboardOperable_; }

    enum class KeyCommand {
        Previous, // Left
        Next,     // Right
        Activate, // Space, Enter: as a left click
        Delete,   // Delete
        Menu,     // the Menu key, Shift+F10: the box's popup menu
    };

signals:
    void mouseMoved();
    void mousePressed(Qt::MouseButton button);
    void clicked();
    void dropped(const QMimeData* data);
    void keyCommand(tinctora::widgets::ColourBox::KeyCommand command);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    void paintWith(const QColor& colour);

    std::optional<colour::ColourValue> backColor_;
    QColor shown_;
    DragDataFactory dragData_;
    DragIconFactory dragIcon_;
    DropFilter acceptsDrop_;
    bool pressedInside_ = false;
    Describer describe_;
    bool keyboardOperable_ = false;
};

} // namespace tinctora::widgets
