#pragma once

#include "platform/platform.h"

namespace tinctora::platform::network {

// Downloads with Qt Network. Lives in the network module only, so that the program itself never
// loads Qt Network and what it pulls in (Kerberos, libproxy, ...) unless a download is made.
class QtDownloader final : public Downloader {
public:
    void download(const QUrl& url, const QString& localPath, int timeoutMs, bool keepUserInputOut,
                  std::function<void(DownloadOutcome)> done) override;
};

} // namespace tinctora::platform::network
