#include "platform/network/network_module.h"
#include "platform/network/qt_downloader.h"

#include <type_traits>

// The module's only exported symbol; everything else in it is hidden.
extern "C" Q_DECL_EXPORT tinctora::platform::Downloader* tinctora_make_downloader() {
    return new tinctora::platform::network::QtDownloader;
}

static_assert(std::is_same_v<decltype(&tinctora_make_downloader),
                             tinctora::platform::network::MakeDownloader>);
