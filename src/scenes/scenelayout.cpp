#include "scenes/scenelayout.h"

#include <algorithm>
#include <stdexcept>

#include "scenes/scripts/scripts.h"

namespace scenes {

namespace {
constexpr int kButtonTop = 6480;
constexpr int kButtonWidth = 1815;
constexpr int kButtonHeight = 495;

SceneLayout scene(std::string form, Script (*script)(), std::string caption, std::string exitCaption, int exitLeft) {
    SceneLayout s;
    s.script = script;
    s.form = std::move(form);
    s.caption = std::move(caption);
    s.exitCaption = std::move(exitCaption);
    s.exitRect = {exitLeft, kButtonTop, kButtonWidth, kButtonHeight};
    s.nextPageRect = s.exitRect;
    return s;
}

std::vector<SceneLayout> build() {
    const std::string story = "メッセージパート";
    const std::string epilogue = "エピローグ";
    std::vector<SceneLayout> all{
        scene("mesarea1", scripts::mesarea1, story, "NEXT AREA", 3840),
        scene("mesarea2", scripts::mesarea2, story, "Challenge", 3720),
        scene("mesarea3", scripts::mesarea3, story, "BUTTLE", 4200),
        scene("mesarea4", scripts::mesarea4, story, "Challenge", 3840),
        scene("mesarea5", scripts::mesarea5, story, "BUTTLE", 3840),
        scene("mesarea6", scripts::mesarea6, story, "Challenge", 3840),
        scene("mesareaspecial", scripts::mesareaspecial, "Form1", "NEXT AREA", 8040),
        scene("mesareaepi1", scripts::mesareaepi1, epilogue, "Challenge", 3720),
        scene("mesareaepi21", scripts::mesareaepi21, epilogue, "NEXT AREA", 3840),
        scene("mesareaepi22", scripts::mesareaepi22, epilogue, "NEXT AREA", 3840),
        scene("mesareaepi23", scripts::mesareaepi23, epilogue, "NEXT AREA", 3840),
        scene("mesareaepi24", scripts::mesareaepi24, epilogue, "NEXT AREA", 3840),
        scene("mesareaepi3", scripts::mesareaepi3, epilogue, "", 3840),
    };
    for (auto& s : all) {
        if (s.form == "mesareaspecial") {
            // The exit sits in the corner so the winning banner has the middle to itself.
            s.exitRect.top = 6600;
            s.nextPageRect.left = 4080;
        }
        if (s.form == "mesareaepi1") s.rowLeft = 360;
        if (s.form == "mesareaepi23") s.client = {9915, 7125};
    }
    return all;
}
}  // namespace

const std::vector<SceneLayout>& sceneLayouts() {
    static const std::vector<SceneLayout> kAll = build();
    return kAll;
}

const SceneLayout& sceneLayout(const std::string& form) {
    const auto& all = sceneLayouts();
    auto it = std::find_if(all.begin(), all.end(), [&](const SceneLayout& s) { return s.form == form; });
    if (it == all.end()) throw std::out_of_range("no story scene named " + form);
    return *it;
}

}  // namespace scenes
