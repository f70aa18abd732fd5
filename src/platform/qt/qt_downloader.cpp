#include "platform/qt/qt_desktop.h"

namespace tinctora::platform::qt {

DownloadOutcome QtDownloader::download(const QUrl&, const QString&, int, bool) {
    return {DownloadOutcome::Status::Failed, "not built yet"};
}

} // namespace tinctora::platform::qt
