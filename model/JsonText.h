#pragma once
// Text written as a JSON string: quoted, with quotes, backslashes and control characters
// escaped. Bytes from 0x80 up pass unchanged, so UTF-8 text stays as it is.
#include <string>
#include <string_view>

namespace sonavel {

std::string JsonQuoted(std::string_view text);

}  // namespace sonavel
