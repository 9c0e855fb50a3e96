#include "scenes/script.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "scenes/scripts/scripts.h"

namespace scenes {

namespace {

struct Entry {
    std::string_view form;
    Script (*build)();
};

// The one list of story scenes, in story order; scriptedForms() and script() both read it.
constexpr std::array<Entry, 13> kScenes{{
    {"mesarea1", scripts::mesarea1},
    {"mesarea2", scripts::mesarea2},
    {"mesarea3", scripts::mesarea3},
    {"mesarea4", scripts::mesarea4},
    {"mesarea5", scripts::mesarea5},
    {"mesarea6", scripts::mesarea6},
    {"mesareaspecial", scripts::mesareaspecial},
    {"mesareaepi1", scripts::mesareaepi1},
    {"mesareaepi21", scripts::mesareaepi21},
    {"mesareaepi22", scripts::mesareaepi22},
    {"mesareaepi23", scripts::mesareaepi23},
    {"mesareaepi24", scripts::mesareaepi24},
    {"mesareaepi3", scripts::mesareaepi3},
}};

}  // namespace

const Script& script(std::string_view form) {
    // Built together on first use: a few kilobytes of text, and every scene may be warped to,
    // so there is nothing to gain from building them one by one.
    static const std::vector<Script> built = [] {
        std::vector<Script> all;
        all.reserve(kScenes.size());
        for (const Entry& entry : kScenes) all.push_back(entry.build());
        return all;
    }();
    for (std::size_t i = 0; i < kScenes.size(); ++i) {
        if (kScenes[i].form == form) return built[i];
    }
    throw std::out_of_range("no script for form '" + std::string(form) + "'");
}

const std::vector<std::string>& scriptedForms() {
    static const std::vector<std::string> forms = [] {
        std::vector<std::string> names;
        names.reserve(kScenes.size());
        for (const Entry& entry : kScenes) names.emplace_back(entry.form);
        return names;
    }();
    return forms;
}

}  // namespace scenes
