#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/random.h"
#include "assets/sozai.h"
#include "ui/form.h"

namespace games {

// What every game's window has: its place in the story, the picture store, chance, and the
// continue code in a corner. A game unloads the store when it goes, whether it hands over to the
// next scene or its window is closed, so that closing the last window ends the program.
class GameForm : public ui::Form {
public:
    struct Layout {
        std::string name;
        std::string caption;
        ui::Size client = {9885, 7095};  // most games' window
        ui::Rgb background;
        ui::Rect codeRect = {8520, 0, 1335, 255};  // the C-PASS label, top right
        ui::Rgb codeColor = ui::kBlack;
    };

    GameForm(app::App& app, assets::Sozai& sozai, const Layout& layout);

    void onUnload(ui::UnloadRequest& request) override;

    // A test hears each round begin (a bout, a turn, an exchange: its number, from 1), to see that
    // every round starts from what the first did.
    using RoundListener = std::function<void(const GameForm& game, int round)>;
    static void setRoundListener(RoundListener listener);
    // Whether the control shows what earlier rounds left (a score, a history), not what each starts from.
    bool carriesOver(const ui::Control& control) const { return carriedOver_.count(&control) != 0; }

protected:
    app::Random& random() { return app_.random(); }
    // The one chance in 99 that two games keep for a surprise: an exposure, a revival.
    bool surpriseComes() { return random().below(99) == 77; }

    // Every exit button: the chain knows which scene it shows; this one is unloaded.
    void leave(const std::string& exit) { app_.leave(*this, exit); }

    ui::Label& codeLabel() const { return codeLabel_; }

    // A lost game leads nowhere but back through the warp zone, and its code is the only way
    // there: a listener hears `what` happened, then the code and how to use it.
    void announceLoss(const std::string& what);
    // An exit shown on a win; by ear with the focus, so that Space or Enter takes it at once (a
    // listener does not know where it is; by sight the focus stays where the player left it).
    void showExit(ui::Button& exit);

    // Called where a round's state is all set, at the same point of every round.
    void roundBegins();
    void carryOver(const std::vector<ui::Control*>& controls) { carriedOver_.insert(controls.begin(), controls.end()); }

    // Whether the player came straight from the warp zone rather than along the story: the chain
    // knows which form that is.
    bool openedFromWarpZone() const { return app_.facts(app_.openedFrom(name())).warpZone; }

    app::App& app_;
    assets::Sozai& sozai_;

private:
    ui::Label& codeLabel_;
    std::set<const ui::Control*> carriedOver_;
    int round_ = 0;
};

}  // namespace games
