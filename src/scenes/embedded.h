#pragma once

#include "assets/embedded.h"

// The scene files under scripts/, compiled in by the build.
namespace scenes::detail {

extern const assets::detail::Embedded kSceneFiles[];
extern const std::size_t kSceneFilesCount;

}  // namespace scenes::detail
