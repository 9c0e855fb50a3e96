#pragma once

#include <string>
#include <string_view>

namespace scenes {

// Lines are typed one UTF-16 unit per tick, as their lengths are counted.
std::u16string toUtf16(std::string_view utf8);
// Lone surrogates (half of a character not typed yet) are left out.
std::string toUtf8(std::u16string_view utf16);

}  // namespace scenes
