#pragma once

#include "app/app.h"
#include "ui/form.h"

// The title screen: start the story, or open the warp zone to continue from a code.
class maintitle final : public ui::Form {
public:
    explicit maintitle(app::App& app);

private:
    void Command1_Click();
    void Command2_Click();

    app::App& app_;
    ui::Label& Label1;
    ui::Label& Label2;
    ui::Button& Command1;
    ui::Button& Command2;
};
