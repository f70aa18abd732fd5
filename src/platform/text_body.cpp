#include "platform/text_body.h"

namespace tinctora::platform {

bool isTextBody(std::string_view body) {
    for (const char c : body) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x7F)
            return false;
        if (byte < 0x20 && !(byte >= '\t' && byte <= '\r'))
            return false;
    }
    return true;
}

} // namespace tinctora::platform
