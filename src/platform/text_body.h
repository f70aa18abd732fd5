#pragma once

#include <string_view>

namespace tinctora::platform {

// Whether a downloaded body is plain text: no NUL and no other control character but tab,
// line feed, vertical tab, form feed and carriage return. Bytes from 0x80 up are accepted, so
// UTF-8 and the older 8-bit encodings both pass; a picture, an archive or an error page in
// UTF-16 does not.
bool isTextBody(std::string_view body);

} // namespace tinctora::platform
