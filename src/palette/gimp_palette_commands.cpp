// File menu: Import GIMP Palette... and Export GIMP Palette...
#include "palette/gimp_palette.h"
#include "palette/palette_document.h"
#include "palette/palette_file.h"
#include "platform/atomic_file.h"

#include <QDir>
#include <QFileInfo>

namespace tinctora::palette {

namespace {

const QString kGimpFilter = "GIMP palettes (*.gpl)";
const QString kGimpSuffix = ".gpl";

// Why the file cannot be read as a GIMP palette, or "" when it was read.
QString readGimpPaletteFile(const QString& path, GimpReadResult& read) {
    const QFileInfo info(path);
    if (!info.exists())
        return "It does not exist.";
    // A named pipe would block forever and a device may never end.
    if (!info.isFile())
        return "It is not a regular file.";
    FileInputStream in(path);
    if (!in)
        return "It cannot be opened for reading.";
    read = readGimpPalette(in);
    if (in.bad())
        return "It could not be read to its end.";
    if (read.error)
        return QString("Line %1: %2")
            .arg(read.error->line)
            .arg(QString::fromStdString(gimpProblemText(read.error->problem)));
    return {};
}

} // namespace

void PaletteDocument::tellFailure(const QString& text) {
    dialogs_.message(dialogParent_, text, "Tinctora", platform::MessageButtons::Ok,
                     platform::MessageIcon::Critical);
}

void PaletteDocument::exportGimp() {
    QDir().mkpath(paletteFolder_);
    QString fileName = dialogs_.saveFileName(dialogParent_, "Export GIMP Palette",
                                             paletteFolder_ + "/", kGimpFilter);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(kGimpSuffix, Qt::CaseInsensitive))
        fileName += kGimpSuffix;
    QString reason;
    if (!platform::writeFileAtomically(
            fileName, writeGimpPalette(row_.texts(), exportName().toStdString()), &reason))
        tellFailure(
            QString("The GIMP palette could not be saved to %1: %2.").arg(fileName, reason));
}

void PaletteDocument::importGimp() {
    // A save that failed or was cancelled keeps the row: nothing is dropped unsaved.
    if (row_.changed() &&
        ask("Save Changes before opening?", "Import GIMP Palette",
            platform::MessageButtons::YesNo) == platform::MessageAnswer::Yes &&
        !save())
        return;
    const QString fileName = dialogs_.openFileName(dialogParent_, "Import GIMP Palette",
                                                   paletteFolder_ + "/", kGimpFilter);
    if (fileName.isEmpty())
        return;
    GimpReadResult read;
    if (const QString problem = readGimpPaletteFile(fileName, read); !problem.isEmpty()) {
        tellFailure(QString("The GIMP palette %1 could not be read. %2").arg(fileName, problem));
        return; // the row stays as it was
    }
    row_.clear();
    for (int slot = 1; slot <= read.colours; ++slot)
        row_.put(slot, read.texts[static_cast<std::size_t>(slot - 1)]);
    // The colours are not in a palette file yet: Save Pallet asks for one, as after New Pallet.
    path_.clear();
    isDefaultPalette_ = false;
    showName(QFileInfo(fileName).completeBaseName());
}

} // namespace tinctora::palette
