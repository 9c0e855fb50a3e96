#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scenes {

// The words of one story scene, as its load handler hands them to the typing engine.
struct Script {
    std::vector<std::string> lines;  // UTF-8, one typed row each, never empty
    std::vector<int> runOn;          // line indices followed by the short pause (joinflag)
    std::vector<int> pageBreaks;     // line indices after which the page ends (pageflag)
};

// The script of the story scene with this form name; throws std::out_of_range for an unknown name.
const Script& script(std::string_view form);

// Every form name that has a script, in story order.
const std::vector<std::string>& scriptedForms();

}  // namespace scenes
