#pragma once

#include "scenes/messagescene.h"

namespace scenes {

// Reached when the heroine caught her sister cheating: it ends on the winning banner, and its
// exit ends the program.
class SpecialScene final : public MessageScene {
public:
    SpecialScene(app::App& app, const SceneLayout& layout);

protected:
    void sceneEnd() override;

private:
    ui::Image& winBannerImage;
};

}  // namespace scenes
