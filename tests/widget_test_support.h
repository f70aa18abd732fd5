#pragma once

#include "app/Form1.h"
#include "platform/fake/fake_platform.h"

#include <QTemporaryDir>

#include <initializer_list>
#include <memory>

namespace tinctora::testing {

// Palette file bytes: each value on its own line, ended by CR LF.
QByteArray crlfLines(std::initializer_list<const char*> values);

// A main window on the fake platform, with its program folder in a fresh temporary folder.
struct MainWindowFixture {
    MainWindowFixture();
    ~MainWindowFixture();

    // Writes Pallets/default.ini (before load()).
    void writeDefaultPalette(const QByteArray& bytes) const;
    QByteArray readDefaultPalette() const;
    QString folder() const { return programFolder.path(); }

    // Builds the window and runs its Load handler.
    app::Form1& load();
    // Points the fake pointer at a pixel of that colour and runs one sampling tick.
    void sample(std::int32_t colour);
    // Runs one hot-key poll.
    void poll();

    QTemporaryDir programFolder;
    platform::fake::FakePlatform fakes;
    std::unique_ptr<app::Form1> window;
};

} // namespace tinctora::testing
