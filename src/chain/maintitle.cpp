#include "chain/maintitle.h"

maintitle::maintitle(app::App& app)
    : ui::Form(app.clock(), "maintitle", "メインタイトル", {8895, 7155}, ui::Rgb{255, 192, 255}),
      app_(app),
      Label1(label("Label1", {1080, 1080, 7335, 735}, "乃々香誕生日記念ミニゲーム", ui::gothic(27.75))),
      Label2(label("Label2", {3960, 1920, 4575, 735}, "～とらわれた和馬～", ui::gothic(18))),
      Command1(button("Command1", {3480, 4200, 1935, 615}, "はじめから")),
      Command2(button("Command2", {3480, 5040, 1935, 615}, "続きから")) {
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
}

void maintitle::Command1_Click() { app_.leave(*this, "Command1"); }

void maintitle::Command2_Click() { app_.leave(*this, "Command2"); }
