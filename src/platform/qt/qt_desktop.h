#pragma once

#include "platform/platform.h"

#include <functional>

// The parts of the platform that Qt provides on every desktop. Downloads come from the network
// module (platform/network/).
namespace tinctora::platform::qt {

class QtWindowLayer final : public WindowLayer {
public:
    void setTopmost(QWidget* window, bool topmost) override;
};

// Opens documents and addresses with the desktop's opener (xdg-open), run as a program of its
// own, and reports what became of it from its exit status. A local file that does not exist is
// FileNotFound without asking the opener.
class QtShellOpen final : public ShellOpen {
public:
    // opener is looked up in PATH when it holds no "/". One still running after handOverAfterMs
    // counts as handed over.
    explicit QtShellOpen(QString opener = "xdg-open", int handOverAfterMs = 5000);
    void open(const QString& fileOrAddress, std::function<void(OpenOutcome)> done) override;

private:
    QString opener_;
    int handOverAfterMs_;
};

// Qt's colour and file dialogs keep their custom colours, recent folders and view state in the
// QtProject settings that every Qt program of the user shares. Once a QtDialogs exists, this
// process neither reads nor writes them in files. On Windows Qt keeps them in the registry,
// which no setting redirects: there only the message boxes are Qt's (win32::Win32Dialogs).
class QtDialogs final : public Dialogs {
public:
    QtDialogs();
    MessageAnswer message(QWidget* parent, const QString& text, const QString& title,
                          MessageButtons buttons, MessageIcon icon) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    colour::ColourValue chooseColour(colour::ColourValue initial,
                                     const colour::ColourValue (&customColours)[16]) override;
};

} // namespace tinctora::platform::qt
