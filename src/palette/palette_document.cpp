#include "palette/palette_document.h"
#include "palette/palette_file.h"

#include <QDir>
#include <QFileInfo>

namespace tinctora::palette {

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

const QString kPaletteFilter = "*.ini*";
const QString kIniSuffix = ".ini";
const QString kCaption = "Saved Colors";

} // namespace

PaletteDocument::PaletteDocument(SwatchRow& row, platform::Dialogs& dialogs, QString paletteFolder)
    : row_(row), dialogs_(dialogs), paletteFolder_(std::move(paletteFolder)),
      path_(defaultPalettePath()), dialogFolder_(paletteFolder_ + "/") {}

void PaletteDocument::showCaption(const QString& caption) {
    const QString namedPrefix = kCaption + " - ";
    name_ = caption.startsWith(namedPrefix) ? caption.mid(namedPrefix.size()).replace("&&", "&")
                                            : caption;
    if (showCaption_)
        showCaption_(caption);
}

void PaletteDocument::showFileCaption(const QString& fileName) {
    // A file name is shown as typed: "&" would otherwise underline the next letter.
    QString shown = fileName;
    shown.remove(kIniSuffix, Qt::CaseSensitive);
    shown.replace('&', "&&");
    showCaption(kCaption + " - " + shown);
}

MessageAnswer PaletteDocument::ask(const QString& text, const QString& title,
                                   MessageButtons buttons) {
    return dialogs_.message(dialogParent_, text, title, buttons, MessageIcon::Question);
}

void PaletteDocument::loadDefault() {
    isDefaultPalette_ = true;
    const FileReadResult read = readPaletteFile(defaultPalettePath());
    row_.fill(read.content);
    // A file that ends at the marker leaves the row emptied; one that fails keeps the slots read
    // before the failure, under the plain caption.
    if (read.content.end == ReadEnd::ReadFailure)
        showCaption(kCaption);
    // Nothing is unsaved at start: the row is written back to the default palette at exit.
    row_.markSaved();
    path_ = defaultPalettePath();
    dialogFolder_ = paletteFolder_ + "/";
}

bool PaletteDocument::saveDefault() {
    QDir().mkpath(paletteFolder_);
    return writePaletteFile(defaultPalettePath(), row_.texts());
}

void PaletteDocument::newPalette() {
    // The default palette is written at every exit anyway, so its changes need no question.
    if (row_.changed() && !isDefaultPalette_) {
        switch (
            ask("Save Changes before creating a new Pallet?", "New", MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            save();
            break;
        case MessageAnswer::Cancel:
            return;
        default:
            break;
        }
    }
    isDefaultPalette_ = false;
    showCaption(kCaption);
    row_.clear();
    row_.markSaved();
    // The path stays: Save Pallet then writes to the palette that was current before.
}

void PaletteDocument::open() {
    if (row_.changed() &&
        ask("Save Changes before opening?", "Open", MessageButtons::YesNo) == MessageAnswer::Yes)
        save();
    dialogFolder_ = paletteFolder_ + "/";
    const QString fileName =
        dialogs_.openFileName(dialogParent_, "Open Pallet", dialogFolder_, kPaletteFilter);
    if (fileName.isEmpty())
        return;
    const FileReadResult read = readPaletteFile(fileName);
    row_.fill(read.content);
    // Only a file read to its end becomes the current palette. One that ends at the marker or
    // fails leaves the row as read so far, marked changed, under the previous palette's name.
    if (read.content.end != ReadEnd::EndOfFile)
        return;
    isDefaultPalette_ = false;
    path_ = fileName;
    row_.markSaved();
    showFileCaption(QFileInfo(fileName).fileName());
}

void PaletteDocument::save() {
    // An imported palette has no file yet: Save Pallet asks for a name.
    if (path_.isEmpty()) {
        saveAs();
        return;
    }
    writePaletteFile(path_, row_.texts());
    row_.markSaved();
}

void PaletteDocument::saveAs() {
    // The dialog starts in the palette folder; on a first run it does not exist yet.
    QDir().mkpath(paletteFolder_);
    QString fileName =
        dialogs_.saveFileName(dialogParent_, "Save Pallet", dialogFolder_, kPaletteFilter);
    if (fileName.isEmpty())
        return;
    row_.markSaved();
    if (allSlotsEmpty(row_.texts())) {
        // An empty row is stored under the name as given and does not become the current palette.
        writePaletteFile(fileName, row_.texts());
        return;
    }
    if (!fileName.endsWith(kIniSuffix, Qt::CaseSensitive))
        fileName += kIniSuffix;
    if (!writePaletteFile(fileName, row_.texts()))
        return; // the previous palette stays the current one
    showFileCaption(QFileInfo(fileName).fileName());
    path_ = fileName;
    isDefaultPalette_ = false;
}

void PaletteDocument::clearAsked() {
    if (ask("Clear Current Pallet?", "Clear", MessageButtons::YesNo) == MessageAnswer::Yes)
        row_.clear();
}

} // namespace tinctora::palette
