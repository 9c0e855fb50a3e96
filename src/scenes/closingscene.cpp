#include "scenes/closingscene.h"

#include "assets/library.h"

namespace scenes {

ClosingScene::ClosingScene(app::App& app, const SceneLayout& layout)
    : MessageScene(app, layout),
      Label2(label("Label2", {1080, 1800, 6015, 1215}, "健吾呼ぶの", ui::gothic(48))),
      Label3(label("Label3", {2280, 3120, 6015, 1215}, "忘れてた！！", ui::gothic(48))),
      kanimg(image("kanimg", {3720, 4680, 1875, 1875}, assets::picture("scenes/kanimg"))),
      rogoimg(image("rogoimg", {1200, 6120, 7500, 1050}, assets::picture("scenes/rogoimg"))),
      lasttimer(timer("lasttimer", 1000)),
      endingtimer(timer("endingtimer", 3000, &ClosingScene::endingtimer_Timer)),
      captions(lasttimer, {&Label2, &Label3, nullptr}, {this, &ClosingScene::startending}) {
    for (ui::Control* c : {static_cast<ui::Control*>(&Label2), static_cast<ui::Control*>(&Label3),
                           static_cast<ui::Control*>(&kanimg), static_cast<ui::Control*>(&rogoimg)})
        c->setVisible(false);
}

void ClosingScene::endingstart() {
    endingflg = 1;
    captions.start();
}

void ClosingScene::startending() { endingtimer.setEnabled(true); }

void ClosingScene::endingtimer_Timer() {
    rogoimg.setVisible(true);
    kanimg.setVisible(true);
    endingtimer.setEnabled(false);
}

}  // namespace scenes
