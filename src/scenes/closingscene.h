#pragma once

#include "app/steppedreveal.h"
#include "scenes/messagescene.h"

namespace scenes {

// The final epilogue: no exit; after its last line, the closing captions and the end mark.
class ClosingScene final : public MessageScene {
public:
    ClosingScene(app::App& app, const SceneLayout& layout);

protected:
    void sceneEnd() override { endingstart(); }
    bool mayHurry() const override { return MessageScene::mayHurry() && endingflg == 0; }

private:
    void endingstart();
    void startending();
    void endingtimer_Timer();

    ui::Label& Label2;
    ui::Label& Label3;
    ui::Image& kanimg;
    ui::Image& rogoimg;
    ui::Timer& lasttimer;
    ui::Timer& endingtimer;
    app::SteppedReveal captions;  // the two lines of the closing caption, a second apart
    short endingflg = 0;
};

}  // namespace scenes
