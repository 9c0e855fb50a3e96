#pragma once

#include "app/steppedreveal.h"
#include "scenes/messagescene.h"

namespace scenes {

// The final epilogue: no exit; after its last line, the closing captions and the end mark.
class ClosingScene final : public MessageScene {
public:
    ClosingScene(app::App& app, const SceneLayout& layout);
    bool decided() const override { return logoImage.visible(); }

protected:
    void sceneEnd() override { captionReveal_.start(); }

private:
    void onCaptionsShown();
    void onEndMarkTick();

    ui::Label& captionFirstLabel;
    ui::Label& captionSecondLabel;
    ui::Image& endMarkImage;
    ui::Image& logoImage;
    ui::Timer& captionTimer;
    ui::Timer& endMarkTimer;
    app::SteppedReveal captionReveal_;  // the two lines of the closing caption, a second apart
};

}  // namespace scenes
