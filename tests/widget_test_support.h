#pragma once

#include "app/main_window.h"
#include "capture/capture_controller.h"
#include "capture/freeze_overlay.h"
#include "capture/manual_clock.h"
#include "fakes/fake_platform.h"
#include "test_files.h"
#include "widgets/colour_box.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>

#include <initializer_list>
#include <memory>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tinctora::testing {

// The shown top-level windows of one class (the freeze overlay, the Contrast window), newest last.
template <typename Window> std::vector<Window*> shownWindows() {
    std::vector<Window*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(w); window && window->isVisible())
            found.push_back(window);
    return found;
}

// The freeze overlay while it is shown, or nothing.
inline capture::FreezeOverlay* openOverlay() {
    const auto shown = shownWindows<capture::FreezeOverlay>();
    return shown.empty() ? nullptr : shown.front();
}

// Palette file bytes: each value on its own line, ended by CR LF.
QByteArray crlfLines(std::initializer_list<const char*> values);

// The main window's controls, found by the object names they have on the form.
struct MainWindowControls {
    explicit MainWindowControls(const app::MainWindow& window);
    // The swatches keep the form's numbering: Picture2 is slot 1 .. Picture13 is slot 12.
    widgets::ColourBox* Picture(int n) const;

    QGroupBox *Frame1, *Frame2, *Frame3, *Frame4, *Frame5;
    widgets::ColourBox* Picture1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6;
    QPushButton *Command1, *Command2, *Command3;
    QMenu *fil, *set, *hel, *mnu;
    QAction *nw, *ldpal, *svpal, *svas, *impgpl, *expgpl, *altop, *cleall, *frzpick, *pdf, *helon,
        *abo, *shom, *del;

private:
    const app::MainWindow& window_;
};

inline MainWindowControls ui(const app::MainWindow& window) {
    return MainWindowControls(window);
}

// Capture is sampling the screen.
inline bool sampling(const app::MainWindow& window) {
    return window.capture().mode() == capture::CaptureController::Mode::Live;
}

// A main window on the fake platform, with its program folder in a fresh temporary folder.
struct MainWindowFixture {
    MainWindowFixture();
    ~MainWindowFixture();

    // Writes Pallets/default.ini (before load()).
    void writeDefaultPalette(const QByteArray& bytes) const;
    QByteArray readDefaultPalette() const;
    QString folder() const { return programFolder.path(); }

    // Builds the window and runs its Load handler; the test ticks capture's clock by hand.
    app::MainWindow& load(const QString& vendorBase = about::vendorBaseAddress());
    // Points the fake pointer at a pixel of that colour and runs one sampling tick (while
    // sampling).
    void sample(std::int32_t colour);
    // One sampling tick; false when capture is not sampling.
    bool tick();
    // Runs one hot-key poll (for keys that are polled: fakes.keys.mode = Polling).
    void poll();
    const palette::SwatchRow& row() const { return window->swatchRow(); }

    QTemporaryDir programFolder;
    platform::fake::FakePlatform fakes;
    ManualClock clock;
    std::unique_ptr<app::MainWindow> window;
};

} // namespace tinctora::testing
