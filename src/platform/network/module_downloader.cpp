#include "platform/network/module_downloader.h"
#include "platform/network/network_module.h"

#include <QDir>
#include <QLibrary>

namespace tinctora::platform::network {

ModuleDownloader::ModuleDownloader(QString folder) : folder_(std::move(folder)) {}

// The module is never unloaded: Qt Network keeps state of its own (registered types, the host
// lookup thread) that must outlive the downloader, up to the end of the process.
ModuleDownloader::~ModuleDownloader() = default;

QString ModuleDownloader::moduleFileName() {
    return QStringLiteral(TINCTORA_NETWORK_MODULE_FILE);
}

void ModuleDownloader::load() {
    tried_ = true;
    const QString failed = "the network module could not be loaded: ";
    QLibrary library(QDir(folder_).filePath(moduleFileName()));
    if (!library.load()) {
        loadFailure_ = failed + library.errorString();
        return;
    }
    // Qt gives no reason when a symbol is missing.
    const auto make = reinterpret_cast<MakeDownloader>(library.resolve(kMakeDownloaderSymbol));
    if (!make) {
        loadFailure_ = failed + library.fileName() + " has no function " + kMakeDownloaderSymbol;
        return;
    }
    loaded_.reset(make());
    if (!loaded_)
        loadFailure_ = failed + "it made no downloader";
}

void ModuleDownloader::download(const QUrl& url, const QString& localPath, int timeoutMs,
                                bool keepUserInputOut, std::function<void(DownloadOutcome)> done) {
    if (!tried_)
        load();
    if (!loaded_) {
        done({DownloadOutcome::Status::Failed, loadFailure_});
        return;
    }
    loaded_->download(url, localPath, timeoutMs, keepUserInputOut, std::move(done));
}

} // namespace tinctora::platform::network
