#pragma once

#include <string>
#include <string_view>

namespace assets {

// What a screen reader says for a picture, by its name ("store/diceimg_5" → "サイコロの目 5");
// empty for a picture that only decorates.
std::string describe(std::string_view name);

}  // namespace assets
