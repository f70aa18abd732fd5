#pragma once

#include "platform/Module1.h"

// The parts of the platform that Qt provides on every desktop.
namespace tinctora::platform::qt {

class QtWindowLayer final : public WindowLayer {
public:
    void setTopmost(QWidget* window, bool topmost) override;
};

class QtShellOpen final : public ShellOpen {
public:
    int open(const QString& fileOrAddress) override;
};

class QtDialogs final : public Dialogs {
public:
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
