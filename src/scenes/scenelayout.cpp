#include "scenes/scenelayout.h"

#include <algorithm>
#include <stdexcept>

namespace scenes {

namespace {
constexpr int kButtonTop = 6480;
constexpr int kButtonWidth = 1815;
constexpr int kButtonHeight = 495;

SceneLayout scene(std::string form, std::string caption, std::string exitCaption, int exitLeft, std::string code,
                  std::string next) {
    SceneLayout s;
    s.form = std::move(form);
    s.caption = std::move(caption);
    s.exitCaption = std::move(exitCaption);
    s.exitRect = {exitLeft, kButtonTop, kButtonWidth, kButtonHeight};
    s.nextPageRect = s.exitRect;
    s.code = std::move(code);
    s.next = std::move(next);
    return s;
}

std::vector<SceneLayout> build() {
    const std::string story = "メッセージパート";
    const std::string epilogue = "エピローグ";
    std::vector<SceneLayout> all{
        scene("mesarea1", story, "NEXT AREA", 3840, "----", "mesarea2"),
        scene("mesarea2", story, "Challenge", 3720, "4140", "Hitandblow"),
        scene("mesarea3", story, "BUTTLE", 4200, "3232", "tintiro1"),
        scene("mesarea4", story, "Challenge", 3840, "1885", "nagagutsu"),
        scene("mesarea5", story, "BUTTLE", 3840, "7802", "max100game"),
        scene("mesarea6", story, "Challenge", 3840, "2383", "keysearch"),
        scene("mesareaspecial", "Form1", "NEXT AREA", 8040, "1885", ""),
        scene("mesareaepi1", epilogue, "Challenge", 3720, "0039", "rosoku"),
        scene("mesareaepi21", epilogue, "NEXT AREA", 3840, "----", "mesareaepi3"),
        scene("mesareaepi22", epilogue, "NEXT AREA", 3840, "----", "mesareaepi3"),
        scene("mesareaepi23", epilogue, "NEXT AREA", 3840, "----", "mesareaepi3"),
        scene("mesareaepi24", epilogue, "NEXT AREA", 3840, "----", "mesareaepi3"),
        scene("mesareaepi3", epilogue, "", 3840, "4586", ""),
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
