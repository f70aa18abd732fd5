#include "widgets/copy_as_menu.h"
#include "colour/colour_forms.h"
#include "colour/colour_names.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

namespace tinctora::widgets {

QMenu* copyAsMenu(QLineEdit& box, std::optional<colour::ColourValue> colour) {
    QMenu* menu = box.createStandardContextMenu();
    if (!colour)
        return menu;
    menu->addSeparator();
    for (colour::ColourForm form : colour::kColourForms) {
        const QString text = QString::fromStdString(colour::colourFormText(form, *colour));
        // No form contains "&", so the caption needs no escaping.
        QAction* copy = menu->addAction("Copy " + text);
        QObject::connect(copy, &QAction::triggered, menu, [text] { copyToClipboards(text); });
    }
    // The bare name, for a style sheet, also when the colour is only near it; the menu shows it
    // where a shortcut would stand.
    const std::string_view bare = colour::nearestCssName(*colour).name;
    const QString name = QString::fromLatin1(bare.data(), static_cast<qsizetype>(bare.size()));
    QAction* copyName = menu->addAction("CSS Name\t" + name);
    QObject::connect(copyName, &QAction::triggered, menu, [name] { copyToClipboards(name); });
    return menu;
}

void offerCopyAs(QLineEdit& box, CurrentColour current) {
    box.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&box, &QWidget::customContextMenuRequested, &box,
                     [&box, current = std::move(current)](const QPoint& at) {
                         QMenu* menu = copyAsMenu(box, current());
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         menu->popup(box.mapToGlobal(at));
                     });
}

void copyToClipboards(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, QClipboard::Clipboard);
    if (clipboard->supportsSelection())
        clipboard->setText(text, QClipboard::Selection);
}

} // namespace tinctora::widgets
