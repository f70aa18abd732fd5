// The main window as built: every control at its place in the form's twips (15 to a pixel), with
// its caption; the menu bar; the fixed size; the keyboard focus order.
#include "widget_test_support.h"
#include "widgets/form_font.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

// One control of the form: its container and its rectangle in pixels (the form's twips, 15 to a
// pixel, rounded down).
struct Placed {
    const char* name;
    const char* container; // "client" is the window's client area, below the menu bar
    QRect geometry;
};

const Placed kControls[] = {
    {"Frame1", "client", {8, 8, 137, 137}},     {"Picture1", "Frame1", {8, 16, 121, 113}},
    {"Label8", "client", {8, 152, 137, 17}},    {"Label10", "client", {8, 168, 137, 17}},
    {"Command1", "client", {8, 192, 49, 25}},   {"Command3", "client", {88, 192, 49, 25}},
    {"Command2", "client", {32, 224, 81, 25}},  {"Label9", "client", {8, 264, 137, 17}},
    {"Frame2", "client", {152, 8, 129, 41}},    {"Text1", "Frame2", {8, 16, 113, 19}},
    {"Label1", "Frame2", {8, 16, 113, 17}},     {"Frame3", "client", {152, 56, 129, 41}},
    {"Text2", "Frame3", {8, 16, 113, 19}},      {"Label2", "Frame3", {8, 16, 113, 17}},
    {"Frame4", "client", {152, 104, 129, 177}}, {"Label4", "Frame4", {8, 16, 89, 17}},
    {"Text4", "Frame4", {8, 32, 113, 19}},      {"Label5", "Frame4", {8, 56, 81, 33}},
    {"Text5", "Frame4", {8, 72, 113, 19}},      {"Label6", "Frame4", {8, 96, 81, 33}},
    {"Text6", "Frame4", {8, 112, 113, 19}},     {"Label7", "Frame4", {8, 136, 89, 17}},
    {"Text3", "Frame4", {8, 152, 113, 19}},     {"Label3", "Frame4", {8, 152, 113, 17}},
    {"Frame5", "client", {8, 288, 273, 97}},
};

QWidget* control(app::MainWindow& w, const QString& name) {
    return w.findChild<QWidget*>(name);
}

TEST(MainWindowLayout, EveryControlAtItsPlaceInItsContainer) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    for (const Placed& c : kControls) {
        QWidget* widget = control(w, c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        ASSERT_NE(widget->parentWidget(), nullptr) << c.name;
        EXPECT_EQ(widget->parentWidget()->objectName(), c.container) << c.name;
        EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
    }
}

TEST(MainWindowLayout, TwelveSwatchesInTwoRowsOfSix) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    const int lefts[] = {16, 56, 96, 136, 176, 216};
    for (int n = 2; n <= 13; ++n) {
        const QString name = QString("Picture%1").arg(n);
        QWidget* swatch = control(w, name);
        ASSERT_EQ(swatch, ui(w).Picture(n)) << name.toStdString();
        EXPECT_EQ(swatch->parentWidget(), ui(w).Frame5) << name.toStdString();
        const int top = n <= 7 ? 16 : 56;
        EXPECT_EQ(swatch->geometry(), QRect(lefts[(n - 2) % 6], top, 33, 33)) << name.toStdString();
    }
}

TEST(MainWindowLayout, CaptionsAndInitialTexts) {
    MainWindowFixture f;
    f.writeDefaultPalette("-1207\r\n"); // a load that keeps the swatch frame's design caption
    app::MainWindow& w = f.load();
    EXPECT_EQ(w.windowTitle(), "Tinctora 1.1");
    EXPECT_FALSE(w.windowIcon().isNull());
    const std::pair<QGroupBox*, const char*> frames[] = {{ui(w).Frame1, "Color"},
                                                         {ui(w).Frame2, "Long"},
                                                         {ui(w).Frame3, "Hex"},
                                                         {ui(w).Frame4, "RGB"},
                                                         {ui(w).Frame5, "Saved Colors - Default"}};
    for (const auto& [frame, caption] : frames)
        EXPECT_EQ(frame->title().toStdString(), caption);
    const std::pair<QLabel*, const char*> labels[] = {
        {ui(w).Label1, "0"},     {ui(w).Label2, "0"},
        {ui(w).Label3, "0"},     {ui(w).Label4, "Red"},
        {ui(w).Label5, "Green"}, {ui(w).Label6, "Blue"},
        {ui(w).Label7, "RGB"},   {ui(w).Label8, "Press F4 To Capture Color"},
        {ui(w).Label9, ""},      {ui(w).Label10, "Press F2 To Add Color"}};
    for (const auto& [label, caption] : labels)
        EXPECT_EQ(label->text().toStdString(), caption) << label->objectName().toStdString();
    EXPECT_EQ(ui(w).Command1->text(), "Start");
    EXPECT_EQ(ui(w).Command3->text(), "Stop");
    EXPECT_EQ(ui(w).Command2->text(), "Load Color");
    // The status lines are centred; the other labels start at their left edge.
    for (QLabel* l : {ui(w).Label8, ui(w).Label9, ui(w).Label10})
        EXPECT_TRUE(l->alignment() & Qt::AlignHCenter) << l->objectName().toStdString();
    for (QLabel* l : {ui(w).Label1, ui(w).Label2, ui(w).Label3, ui(w).Label4, ui(w).Label5,
                      ui(w).Label6, ui(w).Label7})
        EXPECT_TRUE(l->alignment() & Qt::AlignLeft) << l->objectName().toStdString();
    // The text boxes are empty until the first sample, and the user cannot type into them.
    for (QLineEdit* t :
         {ui(w).Text1, ui(w).Text2, ui(w).Text3, ui(w).Text4, ui(w).Text5, ui(w).Text6}) {
        EXPECT_EQ(t->text(), "") << t->objectName().toStdString();
        EXPECT_TRUE(t->isReadOnly()) << t->objectName().toStdString();
    }
}

TEST(MainWindowLayout, HolderLabelsLieUnderTheirTextBoxes) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    const std::pair<QLabel*, QLineEdit*> pairs[] = {
        {ui(w).Label1, ui(w).Text1}, {ui(w).Label2, ui(w).Text2}, {ui(w).Label3, ui(w).Text3}};
    for (const auto& [label, box] : pairs) {
        EXPECT_TRUE(box->geometry().contains(label->geometry()))
            << label->objectName().toStdString();
        // Later siblings are drawn above earlier ones.
        const QObjectList siblings = box->parentWidget()->children();
        EXPECT_LT(siblings.indexOf(label), siblings.indexOf(box))
            << label->objectName().toStdString();
    }
}

TEST(MainWindowLayout, StartColoursOfTheSwatches) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    // The current colour starts as the window-background colour, with no colour value behind it.
    EXPECT_FALSE(ui(w).Picture1->backColor().has_value());
    EXPECT_EQ(ui(w).Picture1->shownColour(), w.palette().color(QPalette::Base));
    for (int n = 2; n <= 13; ++n)
        EXPECT_EQ(ui(w).Picture(n)->shownColour(), w.palette().color(QPalette::Button)) << n;
}

TEST(MainWindowLayout, FixedClientAreaBelowTheMenuBarAndNoMaximiseButton) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    EXPECT_EQ(w.centralWidget()->objectName(), "client");
    EXPECT_EQ(w.centralWidget()->size(), QSize(286, 389));
    EXPECT_EQ(w.centralWidget()->y(), w.menuBar()->height());
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the user cannot resize the window";
    EXPECT_EQ(w.size(), QSize(286, 389 + w.menuBar()->height()));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);
}

// --- Look ------------------------------------------------------------------------------------
// The boxes that follow the pointer draw their frames from kept pictures; the window must look
// exactly as if every box were drawn directly by the desktop's style.

QImage drawn(QWidget& w, QImage::Format format, qreal ratio) {
    QImage image((QSizeF(w.size()) * ratio).toSize(), format);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    w.render(&image);
    return image;
}

struct LookCase {
    const char* what;
    void (*arrange)(MainWindowFixture&, app::MainWindow&);
};

const LookCase kLooks[] = {
    {"at start", [](MainWindowFixture&, app::MainWindow&) {}},
    {"live colour", [](MainWindowFixture& f, app::MainWindow&) { f.sample(33023); }},
    {"second colour of a different width",
     [](MainWindowFixture& f, app::MainWindow&) {
         f.sample(33023);
         f.sample(16777215);
     }},
    {"text box with the focus",
     [](MainWindowFixture& f, app::MainWindow& w) {
         f.sample(1);
         ui(w).Text1->setFocus(Qt::TabFocusReason);
     }},
    {"text selected",
     [](MainWindowFixture& f, app::MainWindow& w) {
         f.sample(12345678);
         ui(w).Text4->selectAll();
     }},
    {"disabled text box",
     [](MainWindowFixture& f, app::MainWindow& w) {
         f.sample(65535);
         ui(w).Text5->setEnabled(false);
     }},
};

TEST(MainWindowLook, FollowingBoxesLookAsIfDrawnDirectly) {
    for (const LookCase& look : kLooks) {
        for (const QImage::Format format :
             {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            for (const qreal ratio : {1.0, 2.0}) {
                MainWindowFixture f;
                app::MainWindow& w = f.load();
                w.show();
                look.arrange(f, w);
                // Drawn twice, so the second drawing comes from the kept pictures.
                drawn(w, format, ratio);
                const QImage kept = drawn(w, format, ratio);
                for (QWidget* box : std::initializer_list<QWidget*>{
                         ui(w).Picture1, ui(w).Text1, ui(w).Text2, ui(w).Text3, ui(w).Text4,
                         ui(w).Text5, ui(w).Text6})
                    box->setStyle(QApplication::style());
                const QImage direct = drawn(w, format, ratio);
                EXPECT_TRUE(kept == direct)
                    << look.what << ", format " << format << ", pixel ratio " << ratio;
            }
        }
    }
}

TEST(MainWindowLook, TheColourBoxShowsTheColourInsideItsFrame) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    f.sample(33023); // FF8000
    widgets::ColourBox* box = ui(w).Picture1;
    const QImage image = drawn(*box, QImage::Format_RGB32, 1.0);
    EXPECT_EQ(QColor(image.pixel(box->width() / 2, box->height() / 2)), QColor(0xFF, 0x80, 0x00));
    EXPECT_NE(QColor(image.pixel(0, 0)), QColor(0xFF, 0x80, 0x00)) << "the frame is drawn";
    f.sample(0x00FF00);
    EXPECT_EQ(
        QColor(drawn(*box, QImage::Format_RGB32, 1.0).pixel(box->width() / 2, box->height() / 2)),
        QColor(0x00, 0xFF, 0x00));
}

// --- Menus ---------------------------------------------------------------------------------

struct MenuItem {
    const char* name;
    const char* caption;
};

void expectItems(QMenu* menu, std::initializer_list<MenuItem> expected) {
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()))
        << menu->objectName().toStdString();
    int i = 0;
    for (const MenuItem& item : expected) {
        QAction* a = actions[i++];
        if (*item.name == '\0') { // a separator
            EXPECT_TRUE(a->isSeparator()) << "item " << i;
            continue;
        }
        EXPECT_EQ(a->objectName(), item.name);
        EXPECT_EQ(a->text(), item.caption) << item.name;
        EXPECT_FALSE(a->isSeparator()) << item.name;
        EXPECT_TRUE(a->isEnabled()) << item.name;
        EXPECT_TRUE(a->shortcut().isEmpty()) << item.name;
        EXPECT_EQ(a->menu(), nullptr) << item.name;
    }
}

TEST(MainWindowMenus, MenuBarHoldsFileSettingsHelpInThisOrder) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    QStringList titles;
    for (QAction* a : w.menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"File", "Settings", "Help"}));
    EXPECT_EQ(w.menuBar()->actions().value(0), ui(w).fil->menuAction());
    EXPECT_EQ(w.menuBar()->actions().value(1), ui(w).set->menuAction());
    EXPECT_EQ(w.menuBar()->actions().value(2), ui(w).hel->menuAction());
    EXPECT_FALSE(w.menuBar()->actions().contains(ui(w).mnu->menuAction()))
        << "the swatch popup is no menu of the menu bar";
}

TEST(MainWindowMenus, ItemsWithTheirCaptions) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    expectItems(ui(w).fil, {{"nw", "New Pallet"},
                            {"ldpal", "Open Pallet..."},
                            {"svpal", "Save Pallet"},
                            {"svas", "Save Pallet As..."},
                            {"", ""},
                            {"impgpl", "Import GIMP Palette..."},
                            {"expgpl", "Export GIMP Palette..."}});
    expectItems(ui(w).set, {{"altop", "Always on Top"},
                            {"cleall", "Clear List"},
                            {"frzpick", "Freeze Screen and Pick"},
                            {"srgbval", "Show sRGB Values"},
                            {"contrast", "Check Contrast..."}});
    expectItems(ui(w).mnu, {{"shom", "Show"}, {"del", "Delete"}});
    expectItems(ui(w).hel, {{"pdf", "PDF Manual"}, {"helon", "Online Manual"}, {"abo", "About"}});
    EXPECT_TRUE(ui(w).altop->isCheckable());
    EXPECT_TRUE(ui(w).altop->isChecked());
    for (QAction* a : {ui(w).nw, ui(w).ldpal, ui(w).svpal, ui(w).svas, ui(w).cleall, ui(w).shom,
                       ui(w).del, ui(w).pdf, ui(w).helon, ui(w).abo})
        EXPECT_FALSE(a->isChecked()) << a->objectName().toStdString();
}

// --- Keyboard focus --------------------------------------------------------------------------

TEST(MainWindowFocus, TabOrderAndStartFocus) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    w.activateWindow();
    EXPECT_EQ(w.focusWidget(), ui(w).Picture1) << "no text box has the focus at start";

    std::vector<QWidget*> expected{ui(w).Picture1, ui(w).Text1,   ui(w).Text2, ui(w).Text3,
                                   ui(w).Text4,    ui(w).Text5,   ui(w).Text6, ui(w).Command1,
                                   ui(w).Command2, ui(w).Command3};
    for (int n = 2; n <= 13; ++n)
        expected.push_back(ui(w).Picture(n));
    // Walk the focus chain as Tab does, skipping what Tab cannot reach.
    std::vector<QWidget*> order;
    QWidget* at = ui(w).Picture1;
    do {
        if ((at->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && at->isVisibleTo(&w) &&
            at->isEnabled())
            order.push_back(at);
        at = at->nextInFocusChain();
    } while (at != ui(w).Picture1 && order.size() < 100);
    EXPECT_EQ(order, expected);
}

// --- The form's font ---------------------------------------------------------------------------

// Whether every caption fits its room in the font.
bool allFit(const QFont& font, const std::vector<widgets::CaptionRoom>& rooms) {
    const QFontMetrics metrics(font);
    return std::all_of(rooms.begin(), rooms.end(), [&](const widgets::CaptionRoom& room) {
        return metrics.horizontalAdvance(room.text) <= room.width;
    });
}

// A font that is too wide is narrowed to the widest stretch, in steps of 2 down to 80, at which
// every caption fits, or to 80 when none does; one that fits is left alone.
TEST(MainWindowFont, NarrowedToTheWidestStretchThatFits) {
    QFont font = QApplication::font();
    font.setPixelSize(11);
    const QString caption = "Press F3 to start Capture";
    const int natural = QFontMetrics(font).horizontalAdvance(caption);
    for (const int percent : {130, 100, 97, 93, 88, 84, 81, 60}) {
        const std::vector<widgets::CaptionRoom> rooms = {{"Red", 40},
                                                         {caption, natural * percent / 100}};
        int expected = 100;
        if (!allFit(font, rooms)) {
            expected = 80;
            for (int stretch = 98; stretch > 80; stretch -= 2) {
                QFont narrower = font;
                narrower.setStretch(stretch);
                if (allFit(narrower, rooms)) {
                    expected = stretch;
                    break;
                }
            }
        }
        const QFont narrowed = widgets::narrowedToFit(font, rooms);
        EXPECT_EQ(narrowed.stretch() == 0 ? 100 : narrowed.stretch(), expected)
            << "room for " << percent << " % of the caption";
        EXPECT_EQ(narrowed.pixelSize(), 11);
    }
}

// The form is laid out for an 11-pixel dialog font: every caption must fit its control with it.
TEST(MainWindowFont, CaptionsFitTheirControls) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    EXPECT_EQ(w.font().pixelSize(), 11);
    for (QLabel* l : {ui(w).Label4, ui(w).Label5, ui(w).Label6, ui(w).Label7, ui(w).Label8,
                      ui(w).Label9, ui(w).Label10}) {
        EXPECT_EQ(l->font().pixelSize(), 11) << l->objectName().toStdString();
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width())
            << l->objectName().toStdString() << " \"" << l->text().toStdString() << "\"";
        EXPECT_LE(l->fontMetrics().height(), l->contentsRect().height())
            << l->objectName().toStdString();
    }
    // The status lines must also fit the texts they show later.
    for (const char* text : {"Press F3 to start Capture", "CAPTURED"})
        EXPECT_LE(ui(w).Label8->fontMetrics().horizontalAdvance(text), ui(w).Label8->width())
            << text;

    for (QPushButton* b : {ui(w).Command1, ui(w).Command2, ui(w).Command3}) {
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        const QRect contents =
            b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), contents.width())
            << b->objectName().toStdString();
        EXPECT_LE(b->fontMetrics().height(), contents.height()) << b->objectName().toStdString();
    }

    for (QGroupBox* g : {ui(w).Frame1, ui(w).Frame2, ui(w).Frame3, ui(w).Frame4, ui(w).Frame5}) {
        QStyleOptionGroupBox option;
        option.initFrom(g);
        option.text = g->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect title =
            g->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, g);
        EXPECT_GE(title.width(), g->fontMetrics().horizontalAdvance(g->title()))
            << g->objectName().toStdString();
        EXPECT_TRUE(g->rect().contains(title)) << g->objectName().toStdString();
    }
    // The widest values the text boxes show fit them too.
    const std::pair<QLineEdit*, const char*> values[] = {
        {ui(w).Text1, "16777215"}, {ui(w).Text2, "FFFFFF"}, {ui(w).Text3, "255, 255, 255"},
        {ui(w).Text4, "255"},      {ui(w).Text5, "255"},    {ui(w).Text6, "255"}};
    for (const auto& [box, text] : values) {
        QStyleOptionFrame option;
        option.initFrom(box);
        const QRect inside =
            box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
        EXPECT_LE(box->fontMetrics().horizontalAdvance(text), inside.width()) << text;
    }
}

} // namespace
} // namespace tinctora::testing
