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

signals:
    void mouseMoved();
    void mousePressed(Qt::MouseButton button);
    void clicked();
    void dropped(const QMimeData* data);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void paintWith(const QColor& colour);

    std::optional<colour::ColourValue> backColor_;
    QColor shown_;
    DragDataFactory dragData_;
    DragIconFactory dragIcon_;
    DropFilter acceptsDrop_;
    bool pressedInside_ = false;
};

} // namespace tinctora::widgets
