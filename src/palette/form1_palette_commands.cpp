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

void Form1::nw_Click() {
    // The default palette is written at every exit anyway, so its changes need no question.
    if (paletteChanged && !isDefaultPalette) {
        switch (platform.dialogs.message(this, "Save Changes before creating a new Pallet?", "New",
                                         MessageButtons::YesNoCancel, MessageIcon::Question)) {
        case MessageAnswer::Yes:
            saveallz();
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
    // palettePath stays: Save Pallet then writes to the palette that was current before.
}

void Form1::ldpal_Click() {
    if (paletteChanged && platform.dialogs.message(this, "Save Changes before opening?", "Open",
                                                   MessageButtons::YesNo,
                                                   MessageIcon::Question) == MessageAnswer::Yes)
        saveallz();
    dialogFolder = paletteFolder() + "/";
    const QString fileName =
        platform.dialogs.openFileName(this, "Open Pallet", dialogFolder, kPaletteFilter);
    if (fileName.isEmpty())
        return;
    clearalls();
    const palette::FileReadResult read = palette::readPaletteFile(fileName);
    fillRowFromRead(read.content);
    // Only a file read to its end becomes the current palette. One that ends at the marker or
    // fails leaves the row as read so far, marked changed, under the previous palette's name.
    if (read.content.end != palette::ReadEnd::EndOfFile)
        return;
    isDefaultPalette = false;
    palettePath = fileName;
    paletteChanged = false;
    setPaletteCaption(QFileInfo(fileName).fileName());
}

void Form1::svpal_Click() {
    saveallz();
}

void Form1::svas_Click() {
    // The dialog starts in the palette folder; on a first run it does not exist yet.
    QDir().mkpath(paletteFolder());
    QString fileName =
        platform.dialogs.saveFileName(this, "Save Pallet", dialogFolder, kPaletteFilter);
    if (fileName.isEmpty())
        return;
    paletteChanged = false;
    if (palette::allSlotsEmpty(savedColors)) {
        // An empty row is stored under the name as given and does not become the current palette.
        palette::writePaletteFile(fileName, savedColors);
        return;
    }
    if (!fileName.endsWith(kIniSuffix, Qt::CaseSensitive))
        fileName += kIniSuffix;
    if (!palette::writePaletteFile(fileName, savedColors))
        return; // the previous palette stays the current one
    setPaletteCaption(QFileInfo(fileName).fileName());
    palettePath = fileName;
    isDefaultPalette = false;
}

} // namespace tinctora::app
