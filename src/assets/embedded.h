#pragma once

#include <cstddef>

namespace assets::detail {

struct Embedded {
    const char* name;  // "store/numberimg_3"
    const char* data;
    std::size_t size;
};

extern const Embedded kEmbedded[];
extern const std::size_t kEmbeddedCount;

}  // namespace assets::detail
