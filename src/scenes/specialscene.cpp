#include "scenes/specialscene.h"

#include "assets/library.h"

namespace scenes {

SpecialScene::SpecialScene(app::App& app, const SceneLayout& layout)
    : MessageScene(app, layout), Image1(image("Image1", {1320, 1920, 7500, 2775}, assets::picture("store/hanmark_1"))) {
    Image1.setVisible(false);
}

void SpecialScene::sceneEnd() {
    Image1.setVisible(true);
    MessageScene::sceneEnd();
}

}  // namespace scenes
