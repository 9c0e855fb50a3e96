#pragma once

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
    void lasttimer_Timer();
    void endingtimer_Timer();

    ui::Label& Label2;
    ui::Label& Label3;
    ui::Image& kanimg;
    ui::Image& rogoimg;
    ui::Timer& lasttimer;
    ui::Timer& endingtimer;
    short endingflg = 0;
    short lastcount = 0;
};

}  // namespace scenes
