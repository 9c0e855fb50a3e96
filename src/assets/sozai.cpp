#include "assets/sozai.h"

#include <algorithm>
#include <stdexcept>

#include "assets/library.h"

namespace assets {

const std::vector<Sozai::Array>& Sozai::arrays() {
    static const std::vector<Array> kArrays{
        {"numberimg", 10, 75, 75, false}, {"sysnumberimg", 10, 70, 60, false}, {"star", 3, 50, 50, true},
        {"hanmark", 2, 500, 185, false},  {"diceimg", 9, 70, 70, true},        {"minidiceimg", 6, 40, 40, false},
        {"minimark", 3, 200, 100, false}, {"mininumber", 9, 40, 40, false},    {"minikey", 1, 40, 40, false},
        {"bombimg", 1, 100, 126, false},  {"nagagutsu", 2, 96, 96, false},     {"rouimg", 3, 25, 60, true},
        {"seiseki", 5, 200, 60, false},
    };
    return kArrays;
}

std::string Sozai::pictureName(const Array& array, int index) {
    if (array.firstIsEmpty && index == 0) return {};
    if (array.count == 1) return "store/" + array.name;
    return "store/" + array.name + "_" + std::to_string(index);
}

std::vector<Sozai::Shown> Sozai::picturesAsShown() {
    std::vector<Shown> out;
    for (const auto& a : arrays())
        for (int i = 0; i < a.count; ++i)
            if (std::string name = pictureName(a, i); !name.empty()) {
                ui::Picture p = picture(name);
                out.push_back({std::move(name), std::move(p), a.width, a.height});
            }
    for (const auto& name : pictureNames())
        if (!name.starts_with("store/") && !name.starts_with("app/")) out.push_back({name, picture(name), 0, 0});
    return out;
}

Sozai::Sozai(std::function<void(bool)> loadedChanged) : loadedChanged_(std::move(loadedChanged)) {}

ui::Picture Sozai::get(const std::string& array, int index) {
    const auto& all = arrays();
    auto it = std::find_if(all.begin(), all.end(), [&](const Array& a) { return a.name == array; });
    if (it == all.end() || index < 0 || index >= it->count)
        throw std::out_of_range("sozai has no " + array + "(" + std::to_string(index) + ")");
    if (!loaded_) {
        loaded_ = true;
        if (loadedChanged_) loadedChanged_(true);
    }
    const std::string name = pictureName(*it, index);
    if (name.empty()) return {};
    auto& slot = cache_[{array, index}];
    if (slot.isNull()) slot = picture(name);
    return slot;
}

void Sozai::unload() {
    if (!loaded_) return;
    loaded_ = false;
    if (loadedChanged_) loadedChanged_(false);
}

}  // namespace assets
