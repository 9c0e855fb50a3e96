#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace warp {

// How many digits a continue code has at most.
constexpr std::size_t kCodeDigits = 4;

// The warp button (from 0) that a typed continue code opens, given each button's code in story
// order (app::kNoCode for none), or nothing for an unknown code. Leading zeros do not matter: "0012"
// and "12" are the same code. When two buttons share a code the later one wins, as it reveals more.
std::optional<int> warpButtonForCode(const std::string& text, const std::vector<std::string>& codes);

// What the code box may hold, however text reaches it: at most four ASCII digits. Full-width
// digits from an input method count as their ASCII digits; everything else is dropped.
std::string sanitizeCode(const std::string& proposed);

}  // namespace warp
