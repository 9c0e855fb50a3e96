#include "assets/library.h"

#include <stdexcept>

#include "assets/descriptions.h"
#include "assets/embedded.h"

namespace assets {

namespace {
const detail::Embedded* lookup(std::string_view name) {
    for (std::size_t i = 0; i < detail::kEmbeddedCount; ++i)
        if (name == detail::kEmbedded[i].name) return &detail::kEmbedded[i];
    return nullptr;
}
}  // namespace

ui::Picture picture(std::string_view name) {
    const detail::Embedded* e = lookup(name);
    if (!e) throw std::out_of_range("no picture named " + std::string(name));
    return ui::Picture::fromSvg(e->name, std::string_view(e->data, e->size), describe(name));
}

std::vector<std::string> pictureNames() {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < detail::kEmbeddedCount; ++i) names.emplace_back(detail::kEmbedded[i].name);
    return names;
}

}  // namespace assets
