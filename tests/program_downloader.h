#pragma once

#include "platform/platform.h"

#ifdef _WIN32
#include "platform/network/qt_downloader.h"
#else
#include "platform/network/module_downloader.h"
#endif

namespace tinctora::testing {

// The downloader the program itself uses, for tests against a real HTTP server: on Linux the
// network module the build made, loaded as the program loads it; on Windows Qt Network, linked
// into the program.
class ProgramDownloader final : public platform::Downloader {
public:
    void download(const QUrl& url, const QString& localPath, int timeoutMs, bool keepUserInputOut,
                  std::function<void(platform::DownloadOutcome)> done) override {
        real_.download(url, localPath, timeoutMs, keepUserInputOut, std::move(done));
    }

private:
#ifdef _WIN32
    platform::network::QtDownloader real_;
#else
    platform::network::ModuleDownloader real_{TINCTORA_NETWORK_MODULE_DIR};
#endif
};

} // namespace tinctora::testing
