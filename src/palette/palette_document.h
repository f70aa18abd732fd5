#pragma once

#include "palette/swatch_row.h"
#include "platform/platform.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace tinctora::palette {

// The palette the swatch row belongs to and the File menu's commands on it: the default palette
// read at start and written at exit, New, Open, Save and Save As, and Clear List. It asks its
// questions through the platform's dialogs and reports the caption the row is shown under.
class PaletteDocument {
public:
    // paletteFolder: where default.ini and the user's palettes are kept (made on the first save).
    PaletteDocument(SwatchRow& row, platform::Dialogs& dialogs, QString paletteFolder);

    // The window the questions and file dialogs belong to.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
    // Called with the full caption ("Saved Colors - Default") whenever it changes.
    void setCaptionListener(std::function<void(const QString&)> listener) {
        showCaption_ = std::move(listener);
    }

    // Called with a sentence for the user whenever an opened palette had to be kept in a
    // backup (or could not be), since the next save would not write back all it holds.
    void setBackupListener(std::function<void(const QString&)> listener) {
        tellBackup_ = std::move(listener);
    }

    QString defaultPalettePath() const { return paletteFolder_ + "/default.ini"; }
    // The file Save Pallet writes, and whether that is the default palette.
    const QString& path() const { return path_; }
    bool isDefault() const { return isDefaultPalette_; }

    // Start-up: the default palette becomes the row.
    void loadDefault();
    // Exit: the row becomes the default palette; false when it could not be written, with the
    // system's reason in *reason when it is given.
    bool saveDefault(QString* reason = nullptr);

    void newPalette();
    void open();
    // Writes the row to the current palette file, or asks for one when the palette has none;
    // false when nothing was written (the user has then been told why, or cancelled).
    bool save();
    bool saveAs();
    // Empties the row once the user agrees.
    void clearAsked();

    // GIMP palettes (*.gpl), the palettes image editors share. Export writes the row under the
    // palette's name; import fills the row and leaves it without a file, like New Pallet.
    void exportGimp();
    void importGimp();

private:
    // From now on the palette is called `name`; nothing is a palette without a name. The caption
    // is made from it.
    void showName(std::optional<QString> name);
    void tellSaveFailed(const QString& path, const QString& reason);
    // The file was read into the row, but the row does not hold all of it: its bytes are kept
    // in a backup before any save can replace them.
    void keepWhatWasNotRead(const QString& path, const ReadResult& read);
    // True when the row's colours live only in the default palette, which the next exit
    // overwrites.
    bool rowOnlyInDefaultPalette() const;
    void showFileName(const QString& fileName);
    // What exports are called: the name, or the plain caption for a palette without one.
    QString exportName() const;
    void tellFailure(const QString& text);
    platform::MessageAnswer ask(const QString& text, const QString& title,
                                platform::MessageButtons buttons);

    SwatchRow& row_;
    platform::Dialogs& dialogs_;
    const QString paletteFolder_;
    QWidget* dialogParent_ = nullptr;
    std::function<void(const QString&)> showCaption_;
    std::function<void(const QString&)> tellBackup_;
    QString path_; // the file Save Pallet writes; empty for a new palette
    bool isDefaultPalette_ = true;
    QString dialogFolder_; // where the palette file dialogs start
    // The palette's name as the caption shows it: "Default" or a file's title; nothing for a
    // palette without one. Exports are named after it.
    std::optional<QString> name_ = QString("Default");
};

} // namespace tinctora::palette
