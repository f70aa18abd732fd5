#include "palette/palette_document.h"
#include "palette/palette_file.h"

#include <QDir>
#include <QFileInfo>

namespace tinctora::palette {

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

// Every "*.ini*" file but the backups (NAME.ini.bak, NAME.ini.bak2, ...), which are copies to
// restore by hand, not palettes to work on. The dialogs show the filter as "*.ini*".
const QString kPaletteFilter = "*.ini* (*.ini *.ini[!.]* *.ini.[!b]*)";
const QString kIniSuffix = ".ini";
const QString kCaption = "Saved Colors";

} // namespace

PaletteDocument::PaletteDocument(SwatchRow& row, platform::Dialogs& dialogs, QString paletteFolder)
    : row_(row), dialogs_(dialogs), paletteFolder_(std::move(paletteFolder)),
      path_(defaultPalettePath()), dialogFolder_(paletteFolder_ + "/") {}

void PaletteDocument::showName(std::optional<QString> name) {
    name_ = std::move(name);
    if (!showCaption_)
        return;
    // A name is shown as typed: "&" would otherwise underline the next letter.
    showCaption_(name_ ? kCaption + " - " + QString(*name_).replace('&', "&&") : kCaption);
}

QString PaletteDocument::exportName() const {
    return name_.value_or(kCaption);
}

void PaletteDocument::showFileName(const QString& fileName) {
    showName(QString(fileName).remove(kIniSuffix, Qt::CaseSensitive));
}

MessageAnswer PaletteDocument::ask(const QString& text, const QString& title,
                                   MessageButtons buttons) {
    return dialogs_.message(dialogParent_, text, title, buttons, MessageIcon::Question);
}

void PaletteDocument::keepWhatWasNotRead(const QString& path, const ReadResult& read) {
    if (read.keptWhole)
        return;
    const QString name = QFileInfo(path).fileName();
    QString reason;
    const QString backup = keepBackupOf(path, &reason);
    const QString sentence =
        backup.isEmpty()
            ? QString("Some of %1 could not be read, and no copy of it could be kept (%2); "
                      "saving it replaces what could not be read")
                  .arg(name, reason)
            : QString("Some of %1 could not be read; all of it is kept in %2")
                  .arg(name, QFileInfo(backup).fileName());
    if (tellBackup_)
        tellBackup_(sentence);
}

void PaletteDocument::loadDefault() {
    isDefaultPalette_ = true;
    const FileReadResult read = readPaletteFile(defaultPalettePath());
    // The row is written back to the default palette at every exit.
    if (read.opened)
        keepWhatWasNotRead(defaultPalettePath(), read.content);
    row_.fill(read.content);
    // A file that ends at the marker leaves the row emptied; one that fails keeps the slots read
    // before the failure, under the plain caption.
    if (read.content.end == ReadEnd::ReadFailure)
        showName(std::nullopt);
    // Nothing is unsaved at start: the row is written back to the default palette at exit.
    row_.markSaved();
    path_ = defaultPalettePath();
    dialogFolder_ = paletteFolder_ + "/";
}

bool PaletteDocument::saveDefault(QString* reason) {
    QDir().mkpath(paletteFolder_);
    return writePaletteFile(defaultPalettePath(), row_.texts(), reason);
}

bool PaletteDocument::rowOnlyInDefaultPalette() const {
    return !allSlotsEmpty(row_.texts()) && (isDefaultPalette_ || path_ == defaultPalettePath());
}

void PaletteDocument::tellSaveFailed(const QString& path, const QString& reason) {
    dialogs_.message(dialogParent_,
                     QString("The Pallet could not be saved to %1: %2.")
                         .arg(QDir::toNativeSeparators(path), reason),
                     "Tinctora", MessageButtons::Ok, MessageIcon::Critical);
}

void PaletteDocument::newPalette() {
    const bool onlyInDefault = rowOnlyInDefaultPalette();
    if ((row_.changed() && !isDefaultPalette_) || onlyInDefault) {
        switch (
            ask("Save Changes before creating a new Pallet?", "New", MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            // A save that failed or was cancelled keeps the row: nothing is dropped unsaved.
            if (!(onlyInDefault ? saveAs() : save()))
                return;
            break;
        case MessageAnswer::Cancel:
            return;
        default:
            break;
        }
    }
    isDefaultPalette_ = false;
    showName(std::nullopt);
    row_.clear();
    row_.markSaved();
    // The new palette has no file yet: Save Pallet asks for a name.
    path_.clear();
}

void PaletteDocument::open() {
    if (row_.changed() &&
        ask("Save Changes before opening?", "Open", MessageButtons::YesNo) == MessageAnswer::Yes &&
        !save())
        return;
    dialogFolder_ = paletteFolder_ + "/";
    const QString fileName =
        dialogs_.openFileName(dialogParent_, "Open Pallet", dialogFolder_, kPaletteFilter);
    if (fileName.isEmpty())
        return;
    const FileReadResult read = readPaletteFile(fileName);
    if (read.content.end == ReadEnd::ReadFailure) {
        dialogs_.message(dialogParent_,
                         QString("The Pallet %1 could not be read: %2.")
                             .arg(QDir::toNativeSeparators(fileName), read.problem),
                         "Tinctora", MessageButtons::Ok, MessageIcon::Critical);
        return; // the row stays under its own name
    }
    // It becomes the current palette, which Save Pallet replaces.
    keepWhatWasNotRead(fileName, read.content);
    // A file that ends at the marker (the empty palette) is a palette like any other.
    row_.fill(read.content);
    isDefaultPalette_ = false;
    path_ = fileName;
    row_.markSaved();
    showFileName(QFileInfo(fileName).fileName());
}

bool PaletteDocument::save() {
    if (path_.isEmpty())
        return saveAs();
    QDir().mkpath(paletteFolder_);
    QString reason;
    if (!writePaletteFile(path_, row_.texts(), &reason)) {
        tellSaveFailed(path_, reason);
        return false;
    }
    row_.markSaved();
    return true;
}

bool PaletteDocument::saveAs() {
    // The dialog starts in the palette folder; on a first run it does not exist yet.
    QDir().mkpath(paletteFolder_);
    QString fileName =
        dialogs_.saveFileName(dialogParent_, "Save Pallet", dialogFolder_, kPaletteFilter);
    if (fileName.isEmpty())
        return false;
    const bool emptyRow = allSlotsEmpty(row_.texts());
    // An empty row is stored under the name as given and does not become the current palette.
    if (!emptyRow && !fileName.endsWith(kIniSuffix, Qt::CaseSensitive))
        fileName += kIniSuffix;
    QString reason;
    if (!writePaletteFile(fileName, row_.texts(), &reason)) {
        tellSaveFailed(fileName, reason);
        return false; // the previous palette stays the current one, as changed as it was
    }
    row_.markSaved();
    if (emptyRow)
        return true;
    showFileName(QFileInfo(fileName).fileName());
    path_ = fileName;
    isDefaultPalette_ = false;
    return true;
}

void PaletteDocument::clearAsked() {
    if (ask("Clear Current Pallet?", "Clear", MessageButtons::YesNo) == MessageAnswer::Yes)
        row_.clear();
}

} // namespace tinctora::palette
