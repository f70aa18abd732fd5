#pragma once

#include "about/vendor_site.h"
#include "app/colour_box.h"
#include "capture/colour_text.h"
#include "palette/palette_format.h"
#include "platform/Module1.h"

#include <QMainWindow>

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace tinctora::app {

// The main window. Its controls keep the names they have on the form (Picture1, Text1, Timer1,
// the menu items nw, ldpal, ...), and its handlers are named by control and event. The handlers
// live beside the rules they apply: capture/ (sampling, hot keys, colour dialog, recall),
// palette/ (slots, palette files, swatch mouse work, File menu), about/ (Help menu), app/ (start,
// close, Always on Top).
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // programFolder: where the program file lies; Pallets/ and the help files are found there.
    Form1(platform::Platform& platform, QString programFolder, QWidget* parent = nullptr);
    ~Form1() override;

    static constexpr int kSampleIntervalMs = 40;
    static constexpr int kHotKeyIntervalMs = 50;

    // --- Controls -------------------------------------------------------------------------
    QGroupBox* Frame1 = nullptr; // "Color"
    QGroupBox* Frame2 = nullptr; // "Long"
    QGroupBox* Frame3 = nullptr; // "Hex"
    QGroupBox* Frame4 = nullptr; // "RGB"
    QGroupBox* Frame5 = nullptr; // the swatch row, captioned with the palette's name
    ColourBox* Picture1 = nullptr;
    std::array<ColourBox*, palette::kSlotCount> swatches{}; // Picture2 (slot 1) .. Picture13
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;  // capture status line
    QLabel* Label9 = nullptr;  // "CAPTURED" while frozen
    QLabel* Label10 = nullptr; // add hint line
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QPushButton* Command1 = nullptr; // "Start"
    QPushButton* Command2 = nullptr; // "Load Color"
    QPushButton* Command3 = nullptr; // "Stop"
    QTimer* Timer1 = nullptr;        // live sampling, 40 ms
    QTimer* Timer2 = nullptr;        // hot-key polling, 50 ms
    QMenu* fil = nullptr;
    QMenu* set = nullptr;
    QMenu* mnu = nullptr; // the swatch popup menu, never on the menu bar
    QMenu* hel = nullptr;
    QAction* nw = nullptr;
    QAction* ldpal = nullptr;
    QAction* svpal = nullptr;
    QAction* svas = nullptr;
    QAction* altop = nullptr;
    QAction* cleall = nullptr;
    QAction* shom = nullptr;
    QAction* del = nullptr;
    QAction* pdf = nullptr;
    QAction* helon = nullptr;
    QAction* abo = nullptr;

    ColourBox* Picture(int n) const { return swatches.at(static_cast<std::size_t>(n - 2)); }

    // --- Start, close, Always on Top (app/) ------------------------------------------------
    void Form_Load();
    void altop_Click();
    // Writes the default palette, telling the user when it cannot; only the first call of a
    // close does anything, so every way of closing (close box, session end, signal) can call it.
    void QueryUnload();

    // --- Capture (capture/) ----------------------------------------------------------------
    void Timer1_Timer();
    void Timer2_Timer();
    void Command1_Click(); // Start
    void Command3_Click(); // Stop
    void Command2_Click(); // Load Color
    std::int32_t ShowColorDialog(std::int32_t hParent, bool bFullOpen, std::int32_t InitColor);
    void CallBox();
    void HighlightText();
    void Text_Click(int n);
    // Only keyboard entry (Tab, Shift+Tab, a shortcut) counts as getting the focus here.
    void Text_GotFocus(int n, Qt::FocusReason reason);
    // Writes one colour into every field of the current-colour panel, in the fixed order.
    void colourReadOut(capture::ColourValue v, const QString& decimalText);

    // --- Saved colours (palette/) ----------------------------------------------------------
    void clearalls();
    void setcolor();
    void loadDefPal();
    bool SaveDefPal();
    // Writes the row to the current palette file, or asks for one when there is none; false when
    // nothing was written (the user has then been told why, or cancelled).
    bool saveallz();
    bool savePaletteAs();
    void tellSaveFailed(const QString& path, const QString& reason);
    // True when the row's colours would be lost with the default palette at the next exit.
    bool rowOnlyInDefaultPalette() const;
    void Picture_MouseMove(int n);
    void Picture_MouseDown(int n, Qt::MouseButton button);
    void Picture_Click(int n);
    void Picture_DragDrop(int n);
    void shom_Click();
    void del_Click();
    void cleall_Click();
    void nw_Click();
    void ldpal_Click();
    void svpal_Click();
    void svas_Click();
    // Puts a slot text into slot k (1..12) and paints its swatch: the colour for a number,
    // the empty-slot colour for "0" or a text that is not a number.
    void setSlot(int k, const std::string& text);
    void paintEmptySlot(int k);
    QString defaultPalettePath() const;
    QString paletteFolder() const;
    // Puts the slots of a palette read into the emptied row; the current colour is not touched.
    void fillRowFromRead(const palette::ReadResult& read);
    // "Saved Colors - " and a file name, shown as the plain text it is.
    void setPaletteCaption(const QString& fileTitle);
    // Picture1 as the drag source and the swatches as the drop targets.
    void wireSwatchDragAndDrop();
    // What a drag from Picture1 carries: our own format (which alone the swatches accept), the
    // desktop's colour format and the hexadecimal text.
    QMimeData* currentColourDragData() const;
    static constexpr const char* kColourMimeType = "application/x-tinctora-colour";

    // --- Help (about/) -----------------------------------------------------------------------
    void pdf_Click();
    void helon_Click();
    void abo_Click();
    // "http://" and the vendor's host, where the online manual and the version file are found.
    QString vendorBase = about::vendorBaseAddress();

    // --- State -------------------------------------------------------------------------------
    platform::Platform& platform;
    const QString programFolder;
    palette::SlotTexts savedColors = palette::emptySlots();
    QString selectedSlot; // "1".."12": the slot CallBox recalls
    bool paletteChanged = false;
    QString palettePath; // the file Save Pallet writes; empty after New Pallet
    bool isDefaultPalette = true;
    bool f2Armed = true;
    bool f3Armed = true;
    bool f4Armed = true;
    QString mnuTag = "0"; // the swatch control ("2".."13") the popup menu acts on
    QString dialogFolder; // where the palette file dialogs start
    bool defaultPaletteSaved = false;
    bool loaded = false; // Load has read the default palette into the row

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void fitFontToCaptions();
    void wireEvents();
};

} // namespace tinctora::app
