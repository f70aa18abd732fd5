#pragma once

#include "platform/Module1.h"

#include <functional>

// The parts of the platform that Qt provides on every desktop.
namespace tinctora::platform::qt {

class QtWindowLayer final : public WindowLayer {
public:
    void setTopmost(QWidget* window, bool topmost) override;
};

// What the desktop made of an open request, in the shell's codes: a missing file is
// kFileNotFound (the desktop is not asked), a file or address the desktop takes is kHandedOver,
// one it refuses (no program for it) is kNoAssociation.
int shellOpenOutcome(const QString& fileOrAddress,
                     const std::function<bool(const QUrl&)>& handToDesktop);

class QtShellOpen final : public ShellOpen {
public:
    int open(const QString& fileOrAddress) override;
};

// Qt's colour and file dialogs keep their custom colours, recent folders and view state in the
// QtProject settings that every Qt program of the user shares. Once a QtDialogs exists, this
// process neither reads nor writes them.
class QtDialogs final : public Dialogs {
public:
    QtDialogs();
    MessageAnswer message(QWidget* parent, const QString& text, const QString& title,
                          MessageButtons buttons, MessageIcon icon) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    std::int32_t chooseColour(std::int32_t initial,
                              const std::int32_t (&customColours)[16]) override;
};

class QtDownloader final : public Downloader {
public:
    DownloadOutcome download(const QUrl& url, const QString& localPath, int timeoutMs,
                             bool keepUserInputOut) override;
};

} // namespace tinctora::platform::qt
