#include "scenes/specialscene.h"

#include "assets/library.h"

namespace scenes {

SpecialScene::SpecialScene(app::App& app, const SceneLayout& layout)
    : MessageScene(app, layout),
      winBannerImage(image("winBannerImage", {1320, 1920, 7500, 2775}, assets::picture("store/hanmark_1"))) {
    winBannerImage.setVisible(false);
}

void SpecialScene::sceneEnd() {
    winBannerImage.setVisible(true);
    MessageScene::sceneEnd();
}

}  // namespace scenes
