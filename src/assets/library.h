#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/picture.h"

namespace assets {

// A picture compiled into the program, by its path under src/assets without extension
// ("store/numberimg_3", "scenes/kanimg"). Throws std::out_of_range for an unknown name.
ui::Picture picture(std::string_view name);
std::vector<std::string> pictureNames();

}  // namespace assets
