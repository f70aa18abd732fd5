#pragma once

#include "about/vendor_site.h"
#include "colour/colour_text.h"
#include "palette/palette_document.h"
#include "palette/swatch_row.h"
#include "platform/platform.h"

#include <QMainWindow>

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

namespace tinctora::widgets {
class ColourBox;
}

namespace tinctora::capture {
class CaptureController;
struct StatusLines;
} // namespace tinctora::capture

namespace tinctora::app {

// The main window. It builds the controls (named as on the form: Picture1, Text1, the menu items
// nw, ldpal, ...), wires them to the capture controller and the swatch row, and shows what those
// report. Handlers named after their control delegate to the operation they start.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // programFolder: where the program file lies; Pallets/ and the help files are found there.
    // vendorBase: "http://" and the vendor's host, for the online manual and the version check.
    Form1(platform::Platform& platform, QString programFolder,
          QString vendorBase = about::vendorBaseAddress(), QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: shows the window topmost, reads the default palette and begins capture.
    void Form_Load();
    // Writes the default palette, telling the user when it cannot; only the first call of a
    // close does anything, so every way of closing (close box, session end, signal) can call it.
    void QueryUnload();

    // What the window shows comes from these two.
    capture::CaptureController& capture() { return *capture_; }
    const capture::CaptureController& capture() const { return *capture_; }
    const palette::SwatchRow& swatchRow() const { return row_; }
    const palette::PaletteDocument& paletteDocument() const { return document_; }

    // Our own drag format: only drags from this window's Picture1 carry it.
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
    void showRow();
    // Stores a colour in a slot, or in the first empty slot when none is given.
    void storeColour(const colour::ShownColour& shown, std::optional<int> slot);
    void recallSlot(std::optional<int> slot);
    // Runs a dialog that has no owner outside the topmost band, which would cover it.
    void outsideTopmostBand(const std::function<void()>& dialog);

    // --- A desktop that keeps the pointer and global keys to itself (form1_window_only.cpp) ----
    void wireWindowOnlyKeys();
    void startWindowOnlyDesktop();
    // Lets the desktop pick a colour; it is shown frozen and added to the row, as a pick from the
    // frozen screen is.
    void pickWithDesktop();

    // --- Handlers ----------------------------------------------------------------------------
    void Command2_Click(); // Load Color
    // Stops capture and selects the text of the box that has the focus, ready to copy.
    void HighlightText();
    // Only keyboard entry (Tab, Shift+Tab, a shortcut) counts as getting the focus here.
    void Text_GotFocus(QLineEdit* box, Qt::FocusReason reason);
    void Picture_MouseDown(int slot, Qt::MouseButton button);
    void Picture_DragDrop(int slot);
    void altop_Click();
    void pdf_Click();
    void helon_Click();
    void abo_Click();
    QMimeData* currentColourDragData() const;
    void wireSwatchDragAndDrop();
    widgets::ColourBox* swatch(int slot) const;

    // --- Controls ----------------------------------------------------------------------------
    QGroupBox* Frame1 = nullptr;            // "Color": the current colour
    QGroupBox* Frame2 = nullptr;            // "Long": the decimal value
    QGroupBox* Frame3 = nullptr;            // "Hex"
    QGroupBox* Frame4 = nullptr;            // "RGB": the components and the triple
    QGroupBox* Frame5 = nullptr;            // the swatch row, captioned with the palette's name
    widgets::ColourBox* Picture1 = nullptr; // the current colour; drag source
    std::array<widgets::ColourBox*, palette::kSlotCount> swatches{}; // Picture2 (slot 1) .. 13
    QLabel* Label1 = nullptr;                                        // decimal value, under Text1
    QLabel* Label2 = nullptr;                                        // hex value, under Text2
    QLabel* Label3 = nullptr;                                        // RGB triple, under Text3
    QLabel* Label4 = nullptr;                                        // "Red"
    QLabel* Label5 = nullptr;                                        // "Green"
    QLabel* Label6 = nullptr;                                        // "Blue"
    QLabel* Label7 = nullptr;                                        // "RGB"
    QLabel* Label8 = nullptr;                                        // capture status line
    QLabel* Label9 = nullptr;                                        // "CAPTURED" while frozen
    QLabel* Label10 = nullptr;                                       // add hint line
    QLineEdit* Text1 = nullptr;                                      // decimal value, to copy
    QLineEdit* Text2 = nullptr;                                      // hex value
    QLineEdit* Text3 = nullptr;                                      // RGB triple
    QLineEdit* Text4 = nullptr;                                      // red component
    QLineEdit* Text5 = nullptr;                                      // green component
    QLineEdit* Text6 = nullptr;                                      // blue component
    QPushButton* Command1 = nullptr;                                 // "Start"
    QPushButton* Command2 = nullptr;                                 // "Load Color"
    QPushButton* Command3 = nullptr;                                 // "Stop"
    QMenu* fil = nullptr;                                            // "File"
    QMenu* set = nullptr;                                            // "Settings"
    QMenu* hel = nullptr;                                            // "Help"
    QMenu* mnu = nullptr;       // the swatch popup menu, never on the menu bar
    QAction* nw = nullptr;      // "New Pallet"
    QAction* ldpal = nullptr;   // "Open Pallet..."
    QAction* svpal = nullptr;   // "Save Pallet"
    QAction* svas = nullptr;    // "Save Pallet As..."
    QAction* impgpl = nullptr;  // "Import GIMP Palette..."
    QAction* expgpl = nullptr;  // "Export GIMP Palette..."
    QAction* altop = nullptr;   // "Always on Top", checked
    QAction* cleall = nullptr;  // "Clear List"
    QAction* frzpick = nullptr; // "Freeze Screen and Pick": F6 from the menu
    QAction* pdf = nullptr;     // "PDF Manual"
    QAction* helon = nullptr;   // "Online Manual"
    QAction* abo = nullptr;     // "About"
    QAction* shom = nullptr;    // popup "Show": recalls the pressed swatch
    QAction* del = nullptr;     // popup "Delete": empties the pressed swatch

    // --- State -------------------------------------------------------------------------------
    platform::Platform& platform_;
    const QString programFolder_;
    const QString vendorBase_;
    capture::CaptureController* capture_ = nullptr;
    palette::SwatchRow row_;
    palette::PaletteDocument document_;
    std::optional<int> hoveredSlot_; // the swatch a click recalls
    std::optional<int> pressedSlot_; // the swatch the popup menu acts on
    bool closed_ = false;            // the close handling has run
    bool loaded_ = false;            // Load has read the default palette into the row
};

} // namespace tinctora::app
