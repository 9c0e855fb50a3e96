#pragma once

#include <optional>
#include <string>

namespace warp {

// The warp button (2..16) that a continue code opens, or nothing for an unknown code. Leading
// zeros do not matter: "0039" and "39" are the same code.
std::optional<int> warpButtonForCode(const std::string& text);

// What the code box may hold, however text reaches it: at most four ASCII digits. Full-width
// digits from an input method count as their ASCII digits; everything else is dropped.
std::string sanitizeCode(const std::string& proposed);

}  // namespace warp
