#include "app/Form1.h"
#include "app/data_locations.h"
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

Form1::Form1(platform::Platform& platform, QString programFolder, QString vendorBase,
             QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(platform), programFolder_(std::move(programFolder)),
      vendorBase_(std::move(vendorBase)),
      capture_(new capture::CaptureController(platform.pointer, platform.pixels, platform.keys,
                                              platform.grabber, platform.mover, this)),
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

Form1::~Form1() = default;

widgets::ColourBox* Form1::swatch(int slot) const {
    return swatches.at(static_cast<std::size_t>(slot - 1));
}

void Form1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(px(kClientWidthTwips), px(kClientHeightTwips));
    setCentralWidget(client);

    // Left column.
    Frame1 = frame(client, "Frame1", "Color", twipRect(120, 120, 2055, 2055));
    Picture1 = new widgets::ColourBox(Frame1);
    Picture1->setObjectName("Picture1");
    Picture1->setGeometry(twipRect(120, 240, 1815, 1695));
    Picture1->setSystemColour(QPalette::Base);
    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    Label8 = label(client, "Label8", "Press F4 To Capture Color", twipRect(120, 2280, 2055, 255),
                   centred);
    Label10 =
        label(client, "Label10", "Press F2 To Add Color", twipRect(120, 2520, 2055, 255), centred);
    Command1 = button(client, "Command1", "Start", twipRect(120, 2880, 735, 375));
    Command3 = button(client, "Command3", "Stop", twipRect(1320, 2880, 735, 375));
    Command2 = button(client, "Command2", "Load Color", twipRect(480, 3360, 1215, 375));
    Label9 = label(client, "Label9", "", twipRect(120, 3960, 2055, 255), centred);

    // Right column. Each holder label lies under its text box, which covers it.
    Frame2 = frame(client, "Frame2", "Long", twipRect(2280, 120, 1935, 615));
    Label1 = label(Frame2, "Label1", "0", twipRect(120, 240, 1695, 255));
    Text1 = textBox(Frame2, "Text1", twipRect(120, 240, 1695, 285));
    Frame3 = frame(client, "Frame3", "Hex", twipRect(2280, 840, 1935, 615));
    Label2 = label(Frame3, "Label2", "0", twipRect(120, 240, 1695, 255));
    Text2 = textBox(Frame3, "Text2", twipRect(120, 240, 1695, 285));
    Frame4 = frame(client, "Frame4", "RGB", twipRect(2280, 1560, 1935, 2655));
    Label4 = label(Frame4, "Label4", "Red", twipRect(120, 240, 1335, 255));
    Text4 = textBox(Frame4, "Text4", twipRect(120, 480, 1695, 285));
    Label5 = label(Frame4, "Label5", "Green", twipRect(120, 840, 1215, 495),
                   Qt::AlignLeft | Qt::AlignTop);
    Text5 = textBox(Frame4, "Text5", twipRect(120, 1080, 1695, 285));
    Label6 = label(Frame4, "Label6", "Blue", twipRect(120, 1440, 1215, 495),
                   Qt::AlignLeft | Qt::AlignTop);
    Text6 = textBox(Frame4, "Text6", twipRect(120, 1680, 1695, 285));
    Label7 = label(Frame4, "Label7", "RGB", twipRect(120, 2040, 1335, 255));
    Label3 = label(Frame4, "Label3", "0", twipRect(120, 2280, 1695, 255));
    Text3 = textBox(Frame4, "Text3", twipRect(120, 2280, 1695, 285));
    // The colour box and the read-outs change with every new colour under the pointer; their
    // frames do not.
    auto* cachedFrames = new widgets::CachedFrameStyle;
    cachedFrames->setParent(this);
    Picture1->setStyle(cachedFrames);
    for (QLineEdit* t : {Text1, Text2, Text3, Text4, Text5, Text6})
        t->setStyle(cachedFrames);

    // Bottom: two rows of six swatches at a pitch of 600 twips.
    Frame5 = frame(client, "Frame5", "Saved Colors - Default", twipRect(120, 4320, 4095, 1455));
    for (int k = 1; k <= palette::kSlotCount; ++k) {
        auto* box = new widgets::ColourBox(Frame5);
        box->setObjectName(QString("Picture%1").arg(k + 1));
        const int column = (k - 1) % 6;
        const int row = (k - 1) / 6;
        box->setGeometry(twipRect(240 + 600 * column, 240 + 600 * row, 495, 495));
        box->setSystemColour(QPalette::Button);
        swatches[static_cast<std::size_t>(k - 1)] = box;
    }

    // Keyboard focus order; the window starts with the focus on the current-colour swatch.
    QWidget* order[] = {Picture1, Text1, Text2,    Text3,    Text4,
                        Text5,    Text6, Command1, Command2, Command3};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    QWidget* previous = Command3;
    for (widgets::ColourBox* box : swatches) {
        setTabOrder(previous, box);
        previous = box;
    }
    Picture1->setFocus(Qt::OtherFocusReason);
}

void Form1::fitFontToCaptions() {
    // The form was laid out for an 8-point dialog font (11 pixels); the captions fit their
    // controls only at that size, and only if the font is not wider than that one was.
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    std::vector<CaptionRoom> rooms;
    for (QLabel* l : {Label4, Label5, Label6, Label7})
        rooms.push_back({l->text(), l->contentsRect().width()});
    // The status lines: every text they show.
    for (const QString& text : {capture::kPressF4, capture::kPressF3})
        rooms.push_back({text, Label8->contentsRect().width()});
    for (const QString& text :
         {capture::kCaptured, capture::kNoLivePickNorGlobalKeys, capture::kNoLivePick})
        rooms.push_back({text, Label9->contentsRect().width()});
    rooms.push_back({capture::kPressF2, Label10->contentsRect().width()});
    for (QPushButton* b : {Command1, Command2, Command3}) {
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        const QRect contents =
            b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
        rooms.push_back({b->text(), contents.width()});
    }
    setFont(narrowedToFit(dialogFont, rooms));
}

void Form1::buildMenus() {
    fil = menuBar()->addMenu("File");
    fil->setObjectName("fil");
    nw = item(fil, "nw", "New Pallet");
    ldpal = item(fil, "ldpal", "Open Pallet...");
    svpal = item(fil, "svpal", "Save Pallet");
    svas = item(fil, "svas", "Save Pallet As...");
    fil->addSeparator();
    impgpl = item(fil, "impgpl", "Import GIMP Palette...");
    expgpl = item(fil, "expgpl", "Export GIMP Palette...");

    set = menuBar()->addMenu("Settings");
    set->setObjectName("set");
    altop = item(set, "altop", "Always on Top");
    altop->setCheckable(true);
    altop->setChecked(true);
    cleall = item(set, "cleall", "Clear List");
    frzpick = item(set, "frzpick", "Freeze Screen and Pick");

    hel = menuBar()->addMenu("Help");
    hel->setObjectName("hel");
    pdf = item(hel, "pdf", "PDF Manual");
    helon = item(hel, "helon", "Online Manual");
    abo = item(hel, "abo", "About");

    mnu = new QMenu("mnu", this);
    mnu->setObjectName("mnu");
    shom = item(mnu, "shom", "Show");
    del = item(mnu, "del", "Delete");
}

void Form1::wireEvents() {
    connect(capture_, &capture::CaptureController::colourShown, this, &Form1::showColour);
    connect(capture_, &capture::CaptureController::statusChanged, this, &Form1::showStatus);
    connect(capture_, &capture::CaptureController::addRequested, this,
            [this](const colour::ShownColour& shown) { storeColour(shown, std::nullopt); });
    document_.setDialogParent(this);
    document_.setCaptionListener([this](const QString& caption) { Frame5->setTitle(caption); });

    connect(Command1, &QPushButton::clicked, capture_, &capture::CaptureController::resume);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, capture_, &capture::CaptureController::freeze);
    connect(frzpick, &QAction::triggered, capture_,
            &capture::CaptureController::startFreezeAndPick);
    connect(capture_, &capture::CaptureController::freezeAndPickFailed, this,
            [this](const QString& message) {
                // A desktop that refuses screenshots may still pick a colour itself.
                if (platform_.windowOnly)
                    return pickWithDesktop();
                platform_.dialogs.message(this, message, "Tinctora", platform::MessageButtons::Ok,
                                          platform::MessageIcon::Exclamation);
            });

    // altop keeps its own check state: the handler decides, so Qt must not toggle it first.
    connect(altop, &QAction::triggered, this, [this] {
        altop->setChecked(!altop->isChecked());
        altop_Click();
    });
    // Each File menu command may change the row; its result (saved or not) has been told already.
    const auto onRow = [this](auto command) {
        return [this, command] {
            (document_.*command)();
            showRow();
        };
    };
    connect(cleall, &QAction::triggered, this, onRow(&palette::PaletteDocument::clearAsked));
    connect(nw, &QAction::triggered, this, onRow(&palette::PaletteDocument::newPalette));
    connect(ldpal, &QAction::triggered, this, onRow(&palette::PaletteDocument::open));
    connect(svpal, &QAction::triggered, this, onRow(&palette::PaletteDocument::save));
    connect(svas, &QAction::triggered, this, onRow(&palette::PaletteDocument::saveAs));
    connect(impgpl, &QAction::triggered, this, onRow(&palette::PaletteDocument::importGimp));
    connect(expgpl, &QAction::triggered, this, onRow(&palette::PaletteDocument::exportGimp));
    connect(shom, &QAction::triggered, this, [this] {
        recallSlot(pressedSlot_);
        pressedSlot_.reset();
    });
    connect(del, &QAction::triggered, this, [this] {
        // Only that slot empties: the others keep their places, and the next add fills this hole.
        row_.empty(pressedSlot_);
        pressedSlot_.reset();
        showRow();
    });
    connect(pdf, &QAction::triggered, this, &Form1::pdf_Click);
    connect(helon, &QAction::triggered, this, &Form1::helon_Click);
    connect(abo, &QAction::triggered, this, &Form1::abo_Click);

    for (int slot = 1; slot <= palette::kSlotCount; ++slot) {
        widgets::ColourBox* box = swatch(slot);
        connect(box, &widgets::ColourBox::mouseMoved, this, [this, slot] { hoveredSlot_ = slot; });
        connect(box, &widgets::ColourBox::mousePressed, this,
                [this, slot](Qt::MouseButton b) { Picture_MouseDown(slot, b); });
        // The swatch under the mouse: its mouse move named it.
        connect(box, &widgets::ColourBox::clicked, this, [this] { recallSlot(hoveredSlot_); });
        connect(box, &widgets::ColourBox::dropped, this, [this, slot] { Picture_DragDrop(slot); });
    }
    wireSwatchDragAndDrop();
    wireWindowOnlyKeys();

    for (QLineEdit* t : {Text1, Text2, Text3, Text4, Text5, Text6}) {
        t->installEventFilter(this);
        widgets::offerCopyAs(*t, [this]() -> std::optional<colour::ColourValue> {
            if (const std::optional<colour::ShownColour>& shown = capture_->current())
                return shown->value;
            return std::nullopt;
        });
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // Only the six text boxes are watched.
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // Let the text box take the click (caret, focus) first, then select its text.
        const bool handled = QMainWindow::eventFilter(watched, event);
        QMetaObject::invokeMethod(
            this, [this] { HighlightText(); }, Qt::QueuedConnection);
        return handled;
    }
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        QMetaObject::invokeMethod(
            this, [this, box, reason] { Text_GotFocus(box, reason); }, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    QueryUnload();
    event->accept();
}

} // namespace tinctora::app
