#include "app/main_window.h"
#include "app/data_locations.h"
#include "app/settings_file.h"
#include "capture/capture_controller.h"
#include "capture/capture_texts.h"
#include "widgets/cached_frame_style.h"
#include "widgets/colour_box.h"
#include "widgets/copy_as_menu.h"
#include "widgets/form_font.h"
#include "widgets/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionButton>

namespace tinctora::app {

using widgets::CaptionRoom;
using widgets::narrowedToFit;
using widgets::px;
using widgets::twipRect;

namespace {

constexpr int kClientWidthTwips = 4290;
constexpr int kClientHeightTwips = 5835;

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setAlignment(alignment);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLineEdit* textBox(QWidget* parent, const char* name, QRect geometry) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setGeometry(geometry);
    t->setReadOnly(true);
    // An opaque box repaints alone when its text changes, without the frame beneath it.
    t->setAutoFillBackground(true);
    return t;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

QAction* item(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

} // namespace

MainWindow::MainWindow(platform::Platform& platform, QString programFolder, QString vendorBase,
                       const capture::TickerFactory& makeTicker, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(platform), programFolder_(std::move(programFolder)),
      vendorBase_(std::move(vendorBase)),
      settingsFile_(settingsFileFor(paletteFolderFor(programFolder_))),
      capture_(new capture::CaptureController(platform, makeTicker, this)),
      document_(row_, platform.dialogs, paletteFolderFor(programFolder_)) {
    setObjectName("Form1");
    setWindowTitle("Tinctora 1.1");
    setWindowIcon(QIcon(":/tinctora/icon.png"));
    buildControls();
    buildMenus();
    fitFontToCaptions();
    wireEvents();
    // Fixed single border: the client area keeps its size, the menu bar comes on top of it.
    setFixedSize(px(kClientWidthTwips), px(kClientHeightTwips) + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() = default;

widgets::ColourBox* MainWindow::swatch(int slot) const {
    return swatchBoxes_.at(static_cast<std::size_t>(slot - 1));
}

void MainWindow::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(px(kClientWidthTwips), px(kClientHeightTwips));
    setCentralWidget(client);

    // Left column.
    currentFrame_ = frame(client, "Frame1", "Color", twipRect(120, 120, 2055, 2055));
    currentColourBox_ = new widgets::ColourBox(currentFrame_);
    currentColourBox_->setObjectName("Picture1");
    currentColourBox_->setGeometry(twipRect(120, 240, 1815, 1695));
    currentColourBox_->setSystemColour(QPalette::Base);
    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    captureLine_ = label(client, "Label8", "Press F4 To Capture Color",
                         twipRect(120, 2280, 2055, 255), centred);
    addLine_ =
        label(client, "Label10", "Press F2 To Add Color", twipRect(120, 2520, 2055, 255), centred);
    startButton_ = button(client, "Command1", "Start", twipRect(120, 2880, 735, 375));
    stopButton_ = button(client, "Command3", "Stop", twipRect(1320, 2880, 735, 375));
    loadColourButton_ = button(client, "Command2", "Load Color", twipRect(480, 3360, 1215, 375));
    capturedLine_ = label(client, "Label9", "", twipRect(120, 3960, 2055, 255), centred);

    // Right column. Each holder label lies under its text box, which covers it.
    decimalFrame_ = frame(client, "Frame2", "Long", twipRect(2280, 120, 1935, 615));
    decimalHolder_ = label(decimalFrame_, "Label1", "0", twipRect(120, 240, 1695, 255));
    decimalBox_ = textBox(decimalFrame_, "Text1", twipRect(120, 240, 1695, 285));
    hexFrame_ = frame(client, "Frame3", "Hex", twipRect(2280, 840, 1935, 615));
    hexHolder_ = label(hexFrame_, "Label2", "0", twipRect(120, 240, 1695, 255));
    hexBox_ = textBox(hexFrame_, "Text2", twipRect(120, 240, 1695, 285));
    rgbFrame_ = frame(client, "Frame4", "RGB", twipRect(2280, 1560, 1935, 2655));
    redCaption_ = label(rgbFrame_, "Label4", "Red", twipRect(120, 240, 1335, 255));
    redBox_ = textBox(rgbFrame_, "Text4", twipRect(120, 480, 1695, 285));
    greenCaption_ = label(rgbFrame_, "Label5", "Green", twipRect(120, 840, 1215, 495),
                          Qt::AlignLeft | Qt::AlignTop);
    greenBox_ = textBox(rgbFrame_, "Text5", twipRect(120, 1080, 1695, 285));
    blueCaption_ = label(rgbFrame_, "Label6", "Blue", twipRect(120, 1440, 1215, 495),
                         Qt::AlignLeft | Qt::AlignTop);
    blueBox_ = textBox(rgbFrame_, "Text6", twipRect(120, 1680, 1695, 285));
    tripleCaption_ = label(rgbFrame_, "Label7", "RGB", twipRect(120, 2040, 1335, 255));
    tripleHolder_ = label(rgbFrame_, "Label3", "0", twipRect(120, 2280, 1695, 255));
    tripleBox_ = textBox(rgbFrame_, "Text3", twipRect(120, 2280, 1695, 285));
    // The colour box and the read-outs change with every new colour under the pointer; their
    // frames do not.
    auto* cachedFrames = new widgets::CachedFrameStyle;
    cachedFrames->setParent(this);
    currentColourBox_->setStyle(cachedFrames);
    for (QLineEdit* t : {decimalBox_, hexBox_, tripleBox_, redBox_, greenBox_, blueBox_})
        t->setStyle(cachedFrames);

    // Bottom: two rows of six swatches at a pitch of 600 twips.
    swatchFrame_ =
        frame(client, "Frame5", "Saved Colors - Default", twipRect(120, 4320, 4095, 1455));
    for (int k = 1; k <= palette::kSlotCount; ++k) {
        auto* box = new widgets::ColourBox(swatchFrame_);
        box->setObjectName(QString("Picture%1").arg(k + 1));
        const int column = (k - 1) % 6;
        const int row = (k - 1) / 6;
        box->setGeometry(twipRect(240 + 600 * column, 240 + 600 * row, 495, 495));
        box->setSystemColour(QPalette::Button);
        box->setKeyboardOperable(true);
        box->setAccessibleName(swatchName(k, std::nullopt));
        swatchBoxes_[static_cast<std::size_t>(k - 1)] = box;
    }

    // What a screen reader calls the controls that have no caption of their own. Qt would name
    // each value box after its frame, all four in Frame4 "RGB".
    currentColourBox_->setAccessibleName("Current colour");
    currentColourBox_->setDescriber([this] { return currentColourDescription(); });
    decimalBox_->setAccessibleName("Long");
    hexBox_->setAccessibleName("Hex");
    redBox_->setAccessibleName("Red");
    greenBox_->setAccessibleName("Green");
    blueBox_->setAccessibleName("Blue");
    tripleBox_->setAccessibleName("RGB");

    // Keyboard focus order; the window starts with the focus on the current-colour swatch.
    QWidget* order[] = {currentColourBox_, decimalBox_, hexBox_,  tripleBox_,
                        redBox_,           greenBox_,   blueBox_, startButton_,
                        loadColourButton_, stopButton_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    QWidget* previous = stopButton_;
    for (widgets::ColourBox* box : swatchBoxes_) {
        setTabOrder(previous, box);
        previous = box;
    }
    currentColourBox_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::fitFontToCaptions() {
    // The form was laid out for an 8-point dialog font (11 pixels); the captions fit their
    // controls only at that size, and only if the font is not wider than that one was.
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    std::vector<CaptionRoom> rooms;
    for (QLabel* l : {redCaption_, greenCaption_, blueCaption_, tripleCaption_})
        rooms.push_back({l->text(), l->contentsRect().width()});
    // The status lines: every text they show.
    for (const QString& text : {capture::kPressF4, capture::kPressF3})
        rooms.push_back({text, captureLine_->contentsRect().width()});
    for (const QString& text :
         {capture::kCaptured, capture::kNoLivePickNorGlobalKeys, capture::kNoLivePick})
        rooms.push_back({text, capturedLine_->contentsRect().width()});
    rooms.push_back({capture::kPressF2, addLine_->contentsRect().width()});
    for (QPushButton* b : {startButton_, loadColourButton_, stopButton_}) {
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        const QRect contents =
            b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
        rooms.push_back({b->text(), contents.width()});
    }
    setFont(narrowedToFit(dialogFont, rooms));
}

void MainWindow::buildMenus() {
    fileMenu_ = menuBar()->addMenu("File");
    fileMenu_->setObjectName("fil");
    newPaletteAction_ = item(fileMenu_, "nw", "New Pallet");
    openPaletteAction_ = item(fileMenu_, "ldpal", "Open Pallet...");
    savePaletteAction_ = item(fileMenu_, "svpal", "Save Pallet");
    savePaletteAsAction_ = item(fileMenu_, "svas", "Save Pallet As...");
    fileMenu_->addSeparator();
    importGimpAction_ = item(fileMenu_, "impgpl", "Import GIMP Palette...");
    exportGimpAction_ = item(fileMenu_, "expgpl", "Export GIMP Palette...");

    settingsMenu_ = menuBar()->addMenu("Settings");
    settingsMenu_->setObjectName("set");
    alwaysOnTopAction_ = item(settingsMenu_, "altop", "Always on Top");
    alwaysOnTopAction_->setCheckable(true);
    alwaysOnTopAction_->setChecked(true);
    clearListAction_ = item(settingsMenu_, "cleall", "Clear List");
    freezeAndPickAction_ = item(settingsMenu_, "frzpick", "Freeze Screen and Pick");
    srgbValuesAction_ = item(settingsMenu_, "srgbval", "Show sRGB Values");
    srgbValuesAction_->setCheckable(true);
    checkContrastAction_ = item(settingsMenu_, "contrast", "Check Contrast...");

    helpMenu_ = menuBar()->addMenu("Help");
    helpMenu_->setObjectName("hel");
    pdfManualAction_ = item(helpMenu_, "pdf", "PDF Manual");
    onlineManualAction_ = item(helpMenu_, "helon", "Online Manual");
    aboutAction_ = item(helpMenu_, "abo", "About");

    swatchMenu_ = new QMenu("mnu", this);
    swatchMenu_->setObjectName("mnu");
    showSwatchAction_ = item(swatchMenu_, "shom", "Show");
    deleteSwatchAction_ = item(swatchMenu_, "del", "Delete");
}

void MainWindow::wireEvents() {
    connect(capture_, &capture::CaptureController::colourShown, this, &MainWindow::showColour);
    connect(capture_, &capture::CaptureController::statusChanged, this, &MainWindow::showStatus);
    connect(capture_, &capture::CaptureController::addRequested, this,
            [this](const colour::ShownColour& shown) { storeColour(shown, std::nullopt); });
    row_.onChange([this] { showRow(); });
    document_.setDialogParent(this);
    document_.setCaptionListener(
        [this](const QString& caption) { swatchFrame_->setTitle(caption); });

    connect(startButton_, &QPushButton::clicked, capture_, &capture::CaptureController::resume);
    connect(loadColourButton_, &QPushButton::clicked, this, &MainWindow::loadColour);
    connect(stopButton_, &QPushButton::clicked, capture_, &capture::CaptureController::freeze);
    connect(freezeAndPickAction_, &QAction::triggered, capture_,
            &capture::CaptureController::startFreezeAndPick);
    connect(capture_, &capture::CaptureController::freezeAndPickFailed, this,
            [this](const QString& message) {
                platform_.dialogs.message(this, message, "Tinctora", platform::MessageButtons::Ok,
                                          platform::MessageIcon::Exclamation);
            });

    connect(alwaysOnTopAction_, &QAction::triggered, this, &MainWindow::toggleAlwaysOnTop);
    connect(srgbValuesAction_, &QAction::triggered, this, &MainWindow::setSrgbValues);
    connect(capture_, &capture::CaptureController::valuesExplained, this,
            &MainWindow::showValuesExplanation);
    // The choice of the last run, before the first value is read.
    const bool srgb = readFlag(settingsFile_, kShowSrgbValues);
    srgbValuesAction_->setChecked(srgb);
    capture_->setSrgbValues(srgb);
    showValuesExplanation(capture_->valuesExplanation());
    // The File menu's commands tell their own outcome, and the row shows itself.
    const auto command = [this](QAction* action, auto run) {
        connect(action, &QAction::triggered, this, [this, run] { (document_.*run)(); });
    };
    command(clearListAction_, &palette::PaletteDocument::clearAsked);
    command(newPaletteAction_, &palette::PaletteDocument::newPalette);
    command(openPaletteAction_, &palette::PaletteDocument::open);
    command(savePaletteAction_, &palette::PaletteDocument::save);
    command(savePaletteAsAction_, &palette::PaletteDocument::saveAs);
    command(importGimpAction_, &palette::PaletteDocument::importGimp);
    command(exportGimpAction_, &palette::PaletteDocument::exportGimp);
    connect(showSwatchAction_, &QAction::triggered, this, [this] {
        recallSlot(pressedSlot_);
        pressedSlot_.reset();
    });
    connect(deleteSwatchAction_, &QAction::triggered, this, [this] {
        // Only that slot empties: the others keep their places, and the next add fills this hole.
        row_.empty(pressedSlot_);
        pressedSlot_.reset();
    });
    connect(pdfManualAction_, &QAction::triggered, this, &MainWindow::openPdfManual);
    connect(onlineManualAction_, &QAction::triggered, this, &MainWindow::openOnlineManual);
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);
    connect(checkContrastAction_, &QAction::triggered, this, &MainWindow::showContrast);

    for (int slot = 1; slot <= palette::kSlotCount; ++slot) {
        widgets::ColourBox* box = swatch(slot);
        connect(box, &widgets::ColourBox::mouseMoved, this, [this, slot] { hoveredSlot_ = slot; });
        connect(box, &widgets::ColourBox::mousePressed, this,
                [this, slot](Qt::MouseButton b) { swatchPressed(slot, b); });
        // The swatch under the mouse: its mouse move named it.
        connect(box, &widgets::ColourBox::clicked, this, [this] { recallSlot(hoveredSlot_); });
        connect(box, &widgets::ColourBox::dropped, this, [this, slot] { colourDropped(slot); });
        connect(box, &widgets::ColourBox::keyCommand, this,
                [this, slot](widgets::ColourBox::KeyCommand c) { swatchKey(slot, c); });
    }
    wireSwatchDragAndDrop();
    capture_->hearKeysIn(*this);

    for (QLineEdit* t : {decimalBox_, hexBox_, tripleBox_, redBox_, greenBox_, blueBox_}) {
        t->installEventFilter(this);
        widgets::offerCopyAs(*t, [this]() -> std::optional<colour::ColourValue> {
            if (const std::optional<colour::ShownColour>& shown = capture_->current())
                return shown->value;
            return std::nullopt;
        });
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Only the six text boxes are watched.
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // Let the text box take the click (caret, focus) first, then select its text.
        const bool handled = QMainWindow::eventFilter(watched, event);
        QMetaObject::invokeMethod(
            this, [this] { selectFocusedValue(); }, Qt::QueuedConnection);
        return handled;
    }
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        QMetaObject::invokeMethod(
            this, [this, box, reason] { valueBoxFocused(box, reason); }, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveOnClose();
    event->accept();
}

} // namespace tinctora::app
