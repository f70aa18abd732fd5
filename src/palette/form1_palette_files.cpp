// The default palette at start and exit, and Save Pallet's write to the current palette file.
#include "app/Form1.h"
#include "app/data_locations.h"
#include "palette/palette_file.h"

#include <QDir>
#include <QGroupBox>

namespace tinctora::app {

QString Form1::paletteFolder() const {
    return paletteFolderFor(programFolder);
}

QString Form1::defaultPalettePath() const {
    return paletteFolder() + "/default.ini";
}

void Form1::loadDefPal() {
    clearalls();
    const palette::FileReadResult read = palette::readPaletteFile(defaultPalettePath());
    fillRowFromRead(read.content);
    switch (read.content.end) {
    case palette::ReadEnd::EndOfFile:
        paletteChanged = false;
        break;
    case palette::ReadEnd::Marker:
        break; // the row stays as emptied, and marked changed
    case palette::ReadEnd::ReadFailure:
        Frame5->setTitle("Saved Colors");
        paletteChanged = false;
        break;
    }
    palettePath = defaultPalettePath();
}

bool Form1::SaveDefPal() {
    QDir().mkpath(paletteFolder());
    return palette::writePaletteFile(defaultPalettePath(), savedColors);
}

bool Form1::saveallz() {
    if (palettePath.isEmpty())
        return savePaletteAs();
    QDir().mkpath(paletteFolder());
    QString reason;
    if (!palette::writePaletteFile(palettePath, savedColors, &reason)) {
        tellSaveFailed(palettePath, reason);
        return false;
    }
    paletteChanged = false;
    return true;
}

} // namespace tinctora::app
