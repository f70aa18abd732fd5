// "Load Color" through the colour dialog, recall of a saved swatch, and the text boxes that
// select their text for copying.
#include "platform/qt/qt_desktop.h"
#include "widget_test_support.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

constexpr std::int32_t kRed = 0x0000FF;
constexpr std::int32_t kTeal = 0x563412; // #123456

struct Panel {
    QString decimal, hex, triple, red, green, blue;
    std::optional<std::int32_t> swatch;
    friend bool operator==(const Panel&, const Panel&) = default;
};

Panel panelOf(const app::MainWindow& w) {
    return {ui(w).Text1->text(),        ui(w).Text2->text(), ui(w).Text3->text(),
            ui(w).Text4->text(),        ui(w).Text5->text(), ui(w).Text6->text(),
            ui(w).Picture1->backColor()};
}

void PrintTo(const Panel& p, std::ostream* os) {
    *os << p.decimal.toStdString() << " / " << p.hex.toStdString() << " / "
        << p.triple.toStdString();
}

// --- Load Color -----------------------------------------------------------------------------

TEST(LoadColor, ChosenColourShowsInEveryFieldWithThePlainDecimalText) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    f.fakes.dialogs.colourAnswers = {kRed};
    ui(w).Command2->click();
    EXPECT_EQ(f.fakes.dialogs.colourInitials, std::vector<std::int32_t>{kTeal});
    EXPECT_EQ(panelOf(w), (Panel{"255", "FF0000", "255, 000, 000", "255", "0", "0", kRed}));
    EXPECT_EQ(ui(w).Label1->text(), "255");
    EXPECT_FALSE(sampling(w)) << "the next tick would overwrite the chosen colour";
    EXPECT_EQ(ui(w).Label9->text(), "CAPTURED");
    EXPECT_TRUE(f.fakes.dialogs.unexpected.isEmpty());
}

TEST(LoadColor, CancelLeavesTheSampledColourWithCaptureStopped) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    const Panel before = panelOf(w);
    f.fakes.dialogs.colourAnswers = {-1};
    ui(w).Command2->click();
    EXPECT_EQ(panelOf(w), before);
    EXPECT_FALSE(sampling(w));
    EXPECT_EQ(ui(w).Label9->text(), "CAPTURED");
    EXPECT_EQ(ui(w).Label8->text(), "Press F3 to start Capture");
}

TEST(LoadColor, PureBlackIsAColourLikeAnyOther) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    f.fakes.dialogs.colourAnswers = {0};
    ui(w).Command2->click();
    EXPECT_EQ(panelOf(w), (Panel{"0", "000000", "000, 000, 000", "0", "0", "0", 0}));
    EXPECT_EQ(ui(w).Picture1->shownColour(), QColor(Qt::black));
    EXPECT_EQ(ui(w).Label9->text(), "CAPTURED");
}

TEST(LoadColor, WhileFrozenTheStatusLinesStayAsTheyAre) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    ui(w).Command3->click();
    ui(w).Label9->setText("");
    f.fakes.dialogs.colourAnswers = {-1};
    ui(w).Command2->click();
    EXPECT_EQ(ui(w).Label9->text(), "") << "Stop runs only when capture was live";
}

TEST(LoadColor, LeavesTheTopmostBandWhileTheDialogIsOpenOnlyWhenAlwaysOnTopIsChecked) {
    for (std::int32_t answer : {kRed, -1}) {
        MainWindowFixture f;
        app::MainWindow& w = f.load();
        f.sample(kTeal);
        ASSERT_TRUE(f.fakes.layer.topmost);
        std::vector<bool> topmostWhileOpen;
        f.fakes.dialogs.whileOpen = [&] { topmostWhileOpen.push_back(f.fakes.layer.topmost); };
        f.fakes.dialogs.colourAnswers = {answer};
        ui(w).Command2->click();
        EXPECT_EQ(topmostWhileOpen, std::vector<bool>{false}) << answer;
        EXPECT_TRUE(f.fakes.layer.topmost) << "back on top after " << answer;
    }
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    ui(w).altop->trigger();
    ASSERT_FALSE(ui(w).altop->isChecked());
    const std::size_t callsBefore = f.fakes.layer.calls.size();
    f.fakes.dialogs.colourAnswers = {-1};
    ui(w).Command2->click();
    EXPECT_EQ(f.fakes.layer.calls.size(), callsBefore) << "the topmost state is not touched";
}

TEST(LoadColor, DialogStartsFromTheShownColourWithSixteenBlackCustomColoursEveryTime) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    // Before the first sample no colour is shown yet: the dialog starts from black.
    f.fakes.dialogs.colourAnswers = {0x00FF00, -1};
    ui(w).Command2->click();
    ui(w).Command2->click();
    EXPECT_EQ(f.fakes.dialogs.colourInitials, (std::vector<std::int32_t>{0, 0x00FF00}));
    ASSERT_EQ(f.fakes.dialogs.colourCustoms.size(), 2u);
    for (const auto& customs : f.fakes.dialogs.colourCustoms)
        EXPECT_EQ(customs, std::vector<std::int32_t>(16, 0));
}

TEST(LoadColor, StartsFromTheShownColourWhateverTheTextBoxHolds) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    ui(w).Text1->setText("&HFF");
    f.fakes.dialogs.colourAnswers = {-1};
    ui(w).Command2->click();
    EXPECT_EQ(f.fakes.dialogs.colourInitials, std::vector<std::int32_t>{kTeal});
    EXPECT_EQ(ui(w).Picture1->backColor(), kTeal);
    EXPECT_FALSE(sampling(w));
}

// The desktop's dialog itself: Qt keeps custom colours from one dialog to the next, so the
// backend must put the caller's sixteen in place every time.
TEST(QtColourDialog, OpensWithTheCallersCustomColoursAndInitialColourWithoutAlpha) {
    platform::qt::QtDialogs dialogs;
    QColorDialog::setCustomColor(3, QColor(Qt::red));
    std::vector<QRgb> customsSeen;
    QColor startSeen;
    bool alphaOffered = true;
    bool qtOwnDialog = false;
    bool hadParent = true;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answer.stop();
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            customsSeen.push_back(QColorDialog::customColor(i).rgb());
        startSeen = dialog->currentColor();
        alphaOffered = dialog->testOption(QColorDialog::ShowAlphaChannel);
        qtOwnDialog = dialog->testOption(QColorDialog::DontUseNativeDialog);
        hadParent = dialog->parentWidget() != nullptr;
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    answer.start(10);
    const std::int32_t customs[16] = {};
    EXPECT_EQ(dialogs.chooseColour(kRed, customs), kTeal);
    EXPECT_EQ(customsSeen, std::vector<QRgb>(16, QColor(Qt::black).rgb()));
    EXPECT_EQ(startSeen, QColor(Qt::red));
    EXPECT_FALSE(alphaOffered);
    EXPECT_TRUE(qtOwnDialog) << "a native dialog may ignore the custom colours";
    EXPECT_FALSE(hadParent);

    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
            cancel.stop();
            dialog->reject();
        }
    });
    cancel.start(10);
    EXPECT_EQ(dialogs.chooseColour(kTeal, customs), -1);
}

// Answers the next modal dialog of type D that opens, with answer(dialog).
template <typename D, typename F> void answerNextDialog(QTimer& timer, F answer) {
    QObject::connect(&timer, &QTimer::timeout, [&timer, answer] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer.stop();
            answer(dialog);
        }
    });
    timer.start(10);
}

// Qt keeps the dialogs' custom colours and folders in a settings file shared by every Qt
// program of the user; the dialogs must leave it as it was, absent or not.
TEST(QtColourDialog, DialogsLeaveTheUsersSharedQtSettingsAsTheyWere) {
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_TRUE(configHome.startsWith(QDir::tempPath())) << "the test's own folder";
    const QString shared = configHome + "/QtProject.conf";
    const QByteArray otherPrograms = "[FileDialog]\nlastVisited=file:///srv/photos\n\n"
                                     "[Qt]\ncustomColors\\0=4294901760\n";
    const std::int32_t customs[16] = {};
    for (const QByteArray& before : {kUnreadableFile, otherPrograms}) {
        QFile::remove(shared);
        if (before != kUnreadableFile) {
            QFile file(shared);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        {
            platform::qt::QtDialogs dialogs;
            QTimer colour;
            answerNextDialog<QColorDialog>(colour, [](QColorDialog* d) {
                d->setCurrentColor(Qt::black);
                d->accept();
            });
            EXPECT_EQ(dialogs.chooseColour(kTeal, customs), 0) << "OK on black is black";
            QTimer open;
            answerNextDialog<QFileDialog>(open, [](QFileDialog* d) { d->reject(); });
            EXPECT_EQ(dialogs.openFileName(nullptr, "Open", QDir::tempPath(), "*.ini"), "");
            QTimer save;
            answerNextDialog<QFileDialog>(save, [](QFileDialog* d) { d->reject(); });
            EXPECT_EQ(dialogs.saveFileName(nullptr, "Save", QDir::tempPath(), "*.ini"), "");
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(fileBytes(shared), before);
    }
}

// --- Recall of a saved swatch -----------------------------------------------------------------

// The mouse moves over the swatch of a slot (1..12) and clicks it.
void hoverAndClick(app::MainWindow& w, int slot) {
    emit ui(w).Picture(slot + 1)->mouseMoved();
    emit ui(w).Picture(slot + 1)->clicked();
}

TEST(Recall, ShowsTheSlotTextExactlyAsStoredAndEmptiesTheSelection) {
    MainWindowFixture f;
    f.writeDefaultPalette("00000255\r\n255\r\n");
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    hoverAndClick(w, 2);
    EXPECT_EQ(panelOf(w), (Panel{"255", "FF0000", "255, 000, 000", "255", "0", "0", kRed}));
    EXPECT_FALSE(sampling(w));
    hoverAndClick(w, 1);
    EXPECT_EQ(ui(w).Text1->text(), "00000255") << "the padded text stays padded";
}

TEST(Recall, BlackFromLiveSamplingIsAColourButZeroIsAnEmptySlot) {
    MainWindowFixture f;
    f.writeDefaultPalette("00000000\r\n0\r\n00000255\r\n");
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    const Panel live = panelOf(w);
    hoverAndClick(w, 2);
    EXPECT_EQ(panelOf(w), live);
    EXPECT_TRUE(sampling(w)) << "an empty slot does not stop capture";

    // The selection stays on the empty swatch: once filled, a click there recalls it.
    w.capture().addCurrent();
    emit ui(w).Picture(3)->clicked();
    EXPECT_FALSE(sampling(w));
    EXPECT_EQ(ui(w).Text1->text(), "05649426");

    hoverAndClick(w, 1);
    EXPECT_EQ(panelOf(w), (Panel{"00000000", "000000", "000, 000, 000", "0", "0", "0", 0}));
    EXPECT_FALSE(sampling(w));
}

TEST(Recall, SecondRecallWithoutANewSelectionDoesNothing) {
    MainWindowFixture f;
    f.writeDefaultPalette("00000255\r\n");
    app::MainWindow& w = f.load();
    hoverAndClick(w, 1);
    ui(w).Command1->click();
    f.sample(kTeal);
    const Panel live = panelOf(w);
    emit ui(w).Picture(2)->clicked();
    EXPECT_EQ(panelOf(w), live);
    EXPECT_TRUE(sampling(w));
}

TEST(Recall, NoSelectionAndTextsThatAreNoNumberChangeNothing) {
    MainWindowFixture f;
    // A hand-edited slot text that is no number is no colour to show.
    f.writeDefaultPalette("red\r\n");
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    const Panel live = panelOf(w);
    emit ui(w).Picture(2)->clicked(); // no mouse move named a swatch
    EXPECT_EQ(panelOf(w), live);
    EXPECT_TRUE(sampling(w));
    hoverAndClick(w, 1);
    EXPECT_EQ(panelOf(w), live);
    EXPECT_TRUE(sampling(w));
}

// --- Copy-ready text boxes --------------------------------------------------------------------

struct ShownWindow {
    explicit ShownWindow(MainWindowFixture& f) : window(f.load()) {
        f.sample(kTeal);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    app::MainWindow& window;
};

QList<QLineEdit*> boxes(const app::MainWindow& w) {
    return {ui(w).Text1, ui(w).Text2, ui(w).Text3, ui(w).Text4, ui(w).Text5, ui(w).Text6};
}

TEST(TextBoxes, AClickStopsCaptureAndSelectsTheWholeText) {
    for (int n = 1; n <= 6; ++n) {
        MainWindowFixture f;
        app::MainWindow& w = ShownWindow(f).window;
        QLineEdit* box = boxes(w)[n - 1];
        ASSERT_TRUE(sampling(w));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, 5));
        QCoreApplication::processEvents();
        EXPECT_FALSE(sampling(w)) << n;
        EXPECT_EQ(ui(w).Label9->text(), "CAPTURED") << n;
        EXPECT_TRUE(box->hasFocus()) << n;
        EXPECT_EQ(box->selectedText(), box->text()) << n;
        EXPECT_FALSE(box->text().isEmpty()) << n;
    }
}

TEST(TextBoxes, TabIntoTheDecimalBoxNeitherStopsNorSelects) {
    MainWindowFixture f;
    app::MainWindow& w = ShownWindow(f).window;
    ui(w).Picture1->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(ui(w).Picture1, Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_TRUE(ui(w).Text1->hasFocus());
    EXPECT_TRUE(sampling(w));
    EXPECT_FALSE(ui(w).Text1->hasSelectedText());
}

TEST(TextBoxes, TabIntoTheOtherBoxesStopsAndSelects) {
    MainWindowFixture f;
    app::MainWindow& w = ShownWindow(f).window;
    ui(w).Text1->setFocus(Qt::OtherFocusReason);
    for (int n = 2; n <= 6; ++n) {
        ui(w).Command1->click();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
        QLineEdit* box = boxes(w)[n - 1];
        ASSERT_TRUE(box->hasFocus()) << n;
        EXPECT_FALSE(sampling(w)) << n;
        EXPECT_EQ(box->selectedText(), box->text()) << n;
    }
    // Shift+Tab back into a box counts as entering it by keyboard too.
    ui(w).Command1->click();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ui(w).Text5->hasFocus());
    EXPECT_FALSE(sampling(w));
}

TEST(TextBoxes, ComingBackToTheWindowDoesNotStopCapture) {
    MainWindowFixture f;
    app::MainWindow& w = ShownWindow(f).window;
    ui(w).Text3->setFocus(Qt::ActiveWindowFocusReason);
    QCoreApplication::processEvents();
    ASSERT_TRUE(ui(w).Text3->hasFocus());
    EXPECT_TRUE(sampling(w));
}

// The box's right-click menu, as it pops up.
QMenu* rightClickMenu(QLineEdit* box) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 5), box->mapToGlobal(QPoint(3, 5)));
    QCoreApplication::sendEvent(box, &click);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

QStringList captions(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* a : actions)
        texts << (a->isSeparator() ? "---" : a->text());
    return texts;
}

TEST(TextBoxes, RightClickOffersQtsItemsThenTheColourInEveryForm) {
    MainWindowFixture f;
    app::MainWindow& w = ShownWindow(f).window;
    for (QLineEdit* box : boxes(w)) {
        const std::unique_ptr<QMenu> standard(box->createStandardContextMenu());
        QMenu* menu = rightClickMenu(box);
        ASSERT_NE(menu, nullptr) << box->objectName().toStdString();
        EXPECT_EQ(captions(menu->actions()), captions(standard->actions())
                                                 << "---"
                                                 << "Copy #123456"
                                                 << "Copy rgb(18, 52, 86)"
                                                 << "Copy hsl(210, 65%, 20%)"
                                                 << "Copy hsv(210, 79%, 34%)"
                                                 << "Copy 5649426"
                                                 << "Copy oklch(31.92% 0.0725 251.17)"
                                                 << "Copy oklab(31.92% -0.0234 -0.0686)"
                                                 << "Copy lab(20.68% -2.28 -24.59)"
                                                 << "Copy lch(20.68% 24.70 264.71)"
                                                 << "CSS Name\tmidnightblue")
            << box->objectName().toStdString();
        menu->close();
    }
}

TEST(TextBoxes, CopyAsPutsTheFormOnTheClipboardAndThePrimarySelection) {
    MainWindowFixture f;
    app::MainWindow& w = ShownWindow(f).window;
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (const QString form :
         {"hsl(210, 65%, 20%)", "#123456", "5649426", "lch(20.68% 24.70 264.71)"}) {
        clipboard->clear();
        QMenu* menu = rightClickMenu(ui(w).Text4);
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) {
            if (a->text() == "Copy " + form)
                a->trigger();
        }
        menu->close();
        EXPECT_EQ(clipboard->text(), form);
        if (clipboard->supportsSelection()) {
            EXPECT_EQ(clipboard->text(QClipboard::Selection), form);
        }
    }
    // The bare name of the nearest named colour, without the "near" of its tooltip.
    QMenu* menu = rightClickMenu(ui(w).Text2);
    ASSERT_NE(menu, nullptr);
    menu->actions().last()->trigger();
    menu->close();
    EXPECT_EQ(clipboard->text(), "midnightblue");
}

TEST(TextBoxes, TheCopiedColourIsTheOneShownNotTheBoxText) {
    MainWindowFixture f;
    app::MainWindow& w = ShownWindow(f).window;
    ui(w).Text2->setText("#FFFFFF"); // typed over; the colour shown stays #123456
    f.sample(kRed);
    QMenu* menu = rightClickMenu(ui(w).Text2);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(captions(menu->actions()).contains("Copy rgb(255, 0, 0)"));
    menu->close();
}

TEST(TextBoxes, BeforeTheFirstColourOnlyQtsItemsAreOffered) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const std::unique_ptr<QMenu> standard(ui(w).Text1->createStandardContextMenu());
    QMenu* menu = rightClickMenu(ui(w).Text1);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(captions(menu->actions()), captions(standard->actions()));
    menu->close();
}

} // namespace
} // namespace tinctora::testing
