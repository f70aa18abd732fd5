#pragma once

#include "platform/platform.h"

#include <memory>

namespace tinctora::platform::network {

// Downloads through the network module, which is loaded from `folder` on the first download and
// not before: start-up then never reads Qt Network and the libraries it needs. When the module
// cannot be loaded, every download fails and its detail says why.
class ModuleDownloader final : public Downloader {
public:
    explicit ModuleDownloader(QString folder);
    ~ModuleDownloader() override;
    void download(const QUrl& url, const QString& localPath, int timeoutMs, bool keepUserInputOut,
                  std::function<void(DownloadOutcome)> done) override;

    // The module's file name, as the build names it.
    static QString moduleFileName();

private:
    void load();

    QString folder_;
    bool tried_ = false;
    QString loadFailure_;
    std::unique_ptr<Downloader> loaded_;
};

} // namespace tinctora::platform::network
