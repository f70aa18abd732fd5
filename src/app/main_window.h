#pragma once

#include "about/vendor_site.h"
#include "capture/ticker.h"
#include "colour/colour_text.h"
#include "palette/palette_document.h"
#include "palette/swatch_row.h"
#include "platform/platform.h"
#include "widgets/colour_box.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;

namespace tinctora::contrast {
class ContrastWindow;
}

namespace tinctora::capture {
class CaptureController;
struct StatusLines;
} // namespace tinctora::capture

namespace tinctora::app {

// The main window. It builds the controls (their object names as on the form: Picture1, Text1,
// the menu items nw, ldpal, ...), wires them to the capture controller and the swatch row, and
// shows what those report.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // programFolder: where the program file lies; Pallets/ and the help files are found there.
    // vendorBase: "http://" and the vendor's host, for the online manual and the version check.
    // makeTicker: the clock of capture's sampling and key polls.
    MainWindow(platform::Platform& platform, QString programFolder,
               QString vendorBase = about::vendorBaseAddress(),
               const capture::TickerFactory& makeTicker = capture::preciseTimer,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: shows the window topmost, reads the default palette and begins capture.
    void startUp();
    // Writes the default palette, telling the user when it cannot; only the first call of a
    // close does anything, so every way of closing (close box, session end, signal) can call it.
    void saveOnClose();

    // What the window shows comes from these two.
    capture::CaptureController& capture() { return *capture_; }
    const capture::CaptureController& capture() const { return *capture_; }
    const palette::SwatchRow& swatchRow() const { return row_; }
    const palette::PaletteDocument& paletteDocument() const { return document_; }

    // Our own drag format: only drags from this window's current colour carry it.
    static constexpr const char* kColourMimeType = "application/x-tinctora-colour";

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void fitFontToCaptions();
    void wireEvents();

    // --- Showing what the controller and the row report ---------------------------------------
    void showColour(const colour::ShownColour& shown);
    void showStatus(const capture::StatusLines& lines);
    // The current-colour box's tooltip and what a screen reader says of it: "#B22222, firebrick",
    // for the colour it shows; empty before the first colour.
    QString currentColourDescription() const;
    void showRow();
    // Stores a colour in a slot, or in the first empty slot when none is given.
    void storeColour(const colour::ShownColour& shown, std::optional<int> slot);
    void recallSlot(std::optional<int> slot);
    // Runs a dialog that has no owner outside the topmost band, which would cover it.
    void outsideTopmostBand(const std::function<void()>& dialog);

    // --- Handlers ----------------------------------------------------------------------------
    // Load Color: the colour dialog, from the shown colour.
    void loadColour();
    // Stops capture and selects the text of the box that has the focus, ready to copy.
    void selectFocusedValue();
    // Only keyboard entry (Tab, Shift+Tab, a shortcut) counts as getting the focus here.
    void valueBoxFocused(QLineEdit* box, Qt::FocusReason reason);
    void swatchPressed(int slot, Qt::MouseButton button);
    // A key on the focused swatch: move along the row, recall, delete, the popup menu.
    void swatchKey(int slot, widgets::ColourBox::KeyCommand command);
    // "Swatch 3, #B22222, firebrick", "Swatch 4, empty": what a screen reader says of it.
    static QString swatchName(int slot, std::optional<colour::ColourValue> colour);
    void colourDropped(int slot);
    void toggleAlwaysOnTop();
    // Show sRGB Values: applies from the next read of the screen and is remembered for the next
    // start when the settings file can be written (when not, it still applies to this run).
    void setSrgbValues(bool on);
    void showValuesExplanation(const QString& explanation);
    void openPdfManual();
    void openOnlineManual();
    void showAbout();
    // Check Contrast: opens the Contrast window, or brings the open one forward.
    void showContrast();
    QMimeData* currentColourDragData() const;
    void wireSwatchDragAndDrop();
    widgets::ColourBox* swatch(int slot) const;

    // --- Controls, each with its object name on the form ------------------------------------
    QGroupBox* currentFrame_ = nullptr;              // Frame1 "Color": the current colour
    QGroupBox* decimalFrame_ = nullptr;              // Frame2 "Long": the decimal value
    QGroupBox* hexFrame_ = nullptr;                  // Frame3 "Hex"
    QGroupBox* rgbFrame_ = nullptr;                  // Frame4 "RGB": the components, the triple
    QGroupBox* swatchFrame_ = nullptr;               // Frame5: captioned with the palette's name
    widgets::ColourBox* currentColourBox_ = nullptr; // Picture1: the current colour; drag source
    // Picture2 (slot 1) .. Picture13 (slot 12).
    std::array<widgets::ColourBox*, palette::kSlotCount> swatchBoxes_{};
    QLabel* decimalHolder_ = nullptr;    // Label1: the decimal value, under decimalBox_
    QLabel* hexHolder_ = nullptr;        // Label2: the hex value, under hexBox_
    QLabel* tripleHolder_ = nullptr;     // Label3: the RGB triple, under tripleBox_
    QLabel* redCaption_ = nullptr;       // Label4 "Red"
    QLabel* greenCaption_ = nullptr;     // Label5 "Green"
    QLabel* blueCaption_ = nullptr;      // Label6 "Blue"
    QLabel* tripleCaption_ = nullptr;    // Label7 "RGB"
    QLabel* captureLine_ = nullptr;      // Label8: "Press F4 To Capture Color" or "Press F3 ..."
    QLabel* capturedLine_ = nullptr;     // Label9: "CAPTURED" while frozen
    QLabel* addLine_ = nullptr;          // Label10: "Press F2 To Add Color" while live
    QLineEdit* decimalBox_ = nullptr;    // Text1: the decimal value, to copy
    QLineEdit* hexBox_ = nullptr;        // Text2: the hex value
    QLineEdit* tripleBox_ = nullptr;     // Text3: the RGB triple
    QLineEdit* redBox_ = nullptr;        // Text4: the red component
    QLineEdit* greenBox_ = nullptr;      // Text5: the green component
    QLineEdit* blueBox_ = nullptr;       // Text6: the blue component
    QPushButton* startButton_ = nullptr; // Command1 "Start"
    QPushButton* loadColourButton_ = nullptr; // Command2 "Load Color"
    QPushButton* stopButton_ = nullptr;       // Command3 "Stop"
    QMenu* fileMenu_ = nullptr;               // fil "File"
    QMenu* settingsMenu_ = nullptr;           // set "Settings"
    QMenu* helpMenu_ = nullptr;               // hel "Help"
    QMenu* swatchMenu_ = nullptr;             // mnu: the swatch popup menu, never on the menu bar
    QAction* newPaletteAction_ = nullptr;     // nw "New Pallet"
    QAction* openPaletteAction_ = nullptr;    // ldpal "Open Pallet..."
    QAction* savePaletteAction_ = nullptr;    // svpal "Save Pallet"
    QAction* savePaletteAsAction_ = nullptr;  // svas "Save Pallet As..."
    QAction* importGimpAction_ = nullptr;     // impgpl "Import GIMP Palette..."
    QAction* exportGimpAction_ = nullptr;     // expgpl "Export GIMP Palette..."
    QAction* alwaysOnTopAction_ = nullptr;    // altop "Always on Top", checked
    QAction* clearListAction_ = nullptr;      // cleall "Clear List"
    QAction* freezeAndPickAction_ = nullptr;  // frzpick "Freeze Screen and Pick": F6 from the menu
    QAction* srgbValuesAction_ = nullptr;     // srgbval "Show sRGB Values", checkable, remembered
    QAction* checkContrastAction_ = nullptr;  // contrast "Check Contrast...": the Contrast window
    QAction* pdfManualAction_ = nullptr;      // pdf "PDF Manual"
    QAction* onlineManualAction_ = nullptr;   // helon "Online Manual"
    QAction* aboutAction_ = nullptr;          // abo "About"
    QAction* showSwatchAction_ = nullptr;     // shom "Show": recalls the pressed swatch
    QAction* deleteSwatchAction_ = nullptr;   // del "Delete": empties the pressed swatch

    // --- State -------------------------------------------------------------------------------
    platform::Platform& platform_;
    const QString programFolder_;
    const QString vendorBase_;
    const QString settingsFile_;
    capture::CaptureController* capture_ = nullptr;
    palette::SwatchRow row_;
    palette::PaletteDocument document_;
    std::optional<int> hoveredSlot_; // the swatch a click recalls
    std::optional<int> pressedSlot_; // the swatch the popup menu acts on
    bool topmost_ = true;            // Always on Top, as its check shows
    bool closed_ = false;            // the close handling has run
    bool loaded_ = false;            // Load has read the default palette into the row
    QPointer<contrast::ContrastWindow> contrastWindow_; // while it is open
};

} // namespace tinctora::app
