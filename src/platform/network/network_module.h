#pragma once

#include "platform/platform.h"

// What the program and the network module (tinctora-network) agree on: one C function, found by
// name, that makes a downloader. The caller owns it and deletes it while the module is loaded.
namespace tinctora::platform::network {

using MakeDownloader = Downloader* (*)();
inline constexpr char kMakeDownloaderSymbol[] = "tinctora_make_downloader";

} // namespace tinctora::platform::network
