// The File menu: New, Open, Save and Save As for palette files.
#include "app/Form1.h"
#include "palette/palette_file.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>

namespace tinctora::app {

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

const QString kPaletteFilter = "*.ini*";
const QString kIniSuffix = ".ini";

} // namespace

void Form1::fillRowFromRead(const palette::ReadResult& read) {
    for (int k = 1; k <= read.fieldsRead && k <= palette::kSlotCount; ++k)
        setSlot(k, read.texts[static_cast<std::size_t>(k - 1)]);
}

void Form1::setPaletteCaption(const QString& fileTitle) {
    // A file name is shown as typed: "&" would otherwise underline the next letter.
    QString shown = fileTitle;
    shown.remove(kIniSuffix, Qt::CaseSensitive);
    shown.replace('&', "&&");
    Frame5->setTitle("Saved Colors - " + shown);
}

bool Form1::rowOnlyInDefaultPalette() const {
    // The default palette receives the row at every exit: what it held is then gone.
    return !palette::allSlotsEmpty(savedColors) &&
           (isDefaultPalette || palettePath == defaultPalettePath());
}

void Form1::nw_Click() {
    const bool onlyInDefault = rowOnlyInDefaultPalette();
    if ((paletteChanged && !isDefaultPalette) || onlyInDefault) {
        switch (platform.dialogs.message(this, "Save Changes before creating a new Pallet?", "New",
                                         MessageButtons::YesNoCancel, MessageIcon::Question)) {
        case MessageAnswer::Yes:
            // A save that failed or was cancelled keeps the row: nothing is dropped unsaved.
            if (!(onlyInDefault ? savePaletteAs() : saveallz()))
                return;
            break;
        case MessageAnswer::Cancel:
            return;
        default:
            break;
        }
    }
    isDefaultPalette = false;
    Frame5->setTitle("Saved Colors");
    clearalls();
    paletteChanged = false;
    // The new palette has no file yet: Save Pallet asks for a name.
    palettePath.clear();
}

void Form1::ldpal_Click() {
    if (paletteChanged &&
        platform.dialogs.message(this, "Save Changes before opening?", "Open",
                                 MessageButtons::YesNo,
                                 MessageIcon::Question) == MessageAnswer::Yes &&
        !saveallz())
        return;
    dialogFolder = paletteFolder() + "/";
    const QString fileName =
        platform.dialogs.openFileName(this, "Open Pallet", dialogFolder, kPaletteFilter);
    if (fileName.isEmpty())
        return;
    const palette::FileReadResult read = palette::readPaletteFile(fileName);
    if (read.content.end == palette::ReadEnd::ReadFailure) {
        platform.dialogs.message(
            this, QString("The Pallet %1 could not be read: %2.").arg(fileName, read.problem),
            "Tinctora", MessageButtons::Ok, MessageIcon::Critical);
        return; // the row stays under its own name
    }
    // A file that ends at the marker (the empty palette) is a palette like any other.
    clearalls();
    fillRowFromRead(read.content);
    isDefaultPalette = false;
    palettePath = fileName;
    paletteChanged = false;
    setPaletteCaption(QFileInfo(fileName).fileName());
}

void Form1::svpal_Click() {
    saveallz();
}

void Form1::svas_Click() {
    savePaletteAs();
}

void Form1::tellSaveFailed(const QString& path, const QString& reason) {
    platform.dialogs.message(this,
                             QString("The Pallet could not be saved to %1: %2.").arg(path, reason),
                             "Tinctora", MessageButtons::Ok, MessageIcon::Critical);
}

bool Form1::savePaletteAs() {
    // The dialog starts in the palette folder; on a first run it does not exist yet.
    QDir().mkpath(paletteFolder());
    QString fileName =
        platform.dialogs.saveFileName(this, "Save Pallet", dialogFolder, kPaletteFilter);
    if (fileName.isEmpty())
        return false;
    const bool emptyRow = palette::allSlotsEmpty(savedColors);
    // An empty row is stored under the name as given and does not become the current palette.
    if (!emptyRow && !fileName.endsWith(kIniSuffix, Qt::CaseSensitive))
        fileName += kIniSuffix;
    QString reason;
    if (!palette::writePaletteFile(fileName, savedColors, &reason)) {
        tellSaveFailed(fileName, reason);
        return false; // the previous palette stays the current one, as changed as it was
    }
    paletteChanged = false;
    if (emptyRow)
        return true;
    setPaletteCaption(QFileInfo(fileName).fileName());
    palettePath = fileName;
    isDefaultPalette = false;
    return true;
}

} // namespace tinctora::app
