#include "scenes/messagescene.h"

namespace scenes {

namespace {
constexpr int kRows = 12;
constexpr ui::Rect kCodeLabel{8520, 6840, 1335, 255};
}  // namespace

MessageScene::MessageScene(app::App& app, const SceneLayout& layout)
    : ui::Form(app.clock(), layout.form, layout.caption, layout.client, ui::kButtonFace),
      app_(app),
      layout_(layout),
      Command2(declareNextPage()),
      Label1(label("Label1", kCodeLabel, "C-PASS = " + layout.code)),
      messagedisp(timer("messagedisp", 20)),
      messagewaittimer(timer("messagewaittimer", 45)) {
    if (!layout.exitCaption.empty()) {
        Command1 = &button("Command1", layout.exitRect, layout.exitCaption);
        Command1->setVisible(false);
        Command1->onClick = [this] { Command1_Click(); };
    }
}

// The rows come first so that they lie beneath everything else on the page.
ui::Button& MessageScene::declareNextPage() {
    for (int i = 0; i < kRows; ++i)
        meslabel1[i] = &label(ui::indexed("meslabel1", i), {layout_.rowLeft, 360 + 480 * i, 9135, 615}, "",
                              ui::gothic(15.75));
    ui::Button& next = button("Command2", layout_.nextPageRect, "NEXT PAGE");
    next.setVisible(false);
    return next;
}

void MessageScene::Form_Load() {
    if (Command1) Command1->setVisible(true);
}

void MessageScene::Command1_Click() {
    if (layout_.next.empty())
        app_.unload(*this);
    else
        app_.changeScene(*this, layout_.next);
}

}  // namespace scenes
