#include "scenes/closingscene.h"

#include "assets/library.h"

namespace scenes {

ClosingScene::ClosingScene(app::App& app, const SceneLayout& layout)
    : MessageScene(app, layout),
      captionFirstLabel(label("captionFirstLabel", {1080, 1800, 6015, 1215}, "健吾呼ぶの", ui::gothic(48))),
      captionSecondLabel(label("captionSecondLabel", {2280, 3120, 6015, 1215}, "忘れてた！！", ui::gothic(48))),
      endMarkImage(image("endMarkImage", {3720, 4680, 1875, 1875}, assets::picture("scenes/kanimg"))),
      logoImage(image("logoImage", {1200, 6120, 7500, 1050}, assets::picture("scenes/rogoimg"))),
      captionTimer(timer("captionTimer", 1000)),
      endMarkTimer(timer("endMarkTimer", 3000, &ClosingScene::onEndMarkTick)),
      captionReveal_(captionTimer, {&captionFirstLabel, &captionSecondLabel, nullptr}, {this, &ClosingScene::onCaptionsShown}) {
    captionFirstLabel.setVisible(false);
    captionSecondLabel.setVisible(false);
    endMarkImage.setVisible(false);
    logoImage.setVisible(false);
    // A caption that appears says nothing by itself to a listener, who would take the silence for a hang.
    captionReveal_.onShown = [this](ui::Control& caption) { announce(static_cast<ui::Label&>(caption).caption()); };
}

void ClosingScene::onCaptionsShown() { endMarkTimer.setEnabled(true); }

void ClosingScene::onEndMarkTick() {
    logoImage.setVisible(true);
    endMarkImage.setVisible(true);
    endMarkTimer.setEnabled(false);
    announce(endMarkImage.picture().description() + "。" + logoImage.picture().description() +
             "。ウィンドウを閉じると、ゲームが終わる");
}

}  // namespace scenes
