#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scenes {

constexpr int kRowsPerPage = 12;  // the rows of a story page
constexpr int kMostRows = 101;    // the rows of a whole scene

// The words of one story scene, as its load handler hands them to the typing engine.
struct Script {
    std::vector<std::string> lines;  // UTF-8, one typed row each, never empty
    std::vector<int> runOn;          // line indices followed by the short pause
    std::vector<int> pageBreaks;     // line indices after which the page ends
};

// The script of the story scene with this form name; throws std::out_of_range for an unknown name.
const Script& script(std::string_view form);

// Every form name that has a script, in the order of their names.
const std::vector<std::string>& scriptedForms();

}  // namespace scenes
