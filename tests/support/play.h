#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/harness.h"

namespace testing_support {

// How the scripts below press a control: a click, unless a PressBy in scope says otherwise (the
// keyboard test presses by keys).
using Press = std::function<void(SceneHarness&, const std::string& form, const std::string& control)>;
void press(SceneHarness& h, const std::string& form, const std::string& control);
class PressBy {
public:
    explicit PressBy(Press how);
    ~PressBy();
    PressBy(const PressBy&) = delete;
    PressBy& operator=(const PressBy&) = delete;

private:
    Press before_;
};

// What the player sees of each control of the form, a line each: whether it shows and takes clicks,
// its caption, colour or picture, and the name a screen reader reads for it. Only what each round starts from, leaving out what a
// game carries over from earlier rounds, when `roundStart`.
std::vector<std::string> screen(SceneHarness& h, const std::string& form, bool roundStart = false);

// How each game is won, for the walk through the whole story: the moves that show its first exit.
// Games of the main line only; the branches are walked on their own.
struct WinScript {
    std::string form;
    std::function<void(SceneHarness&)> win;
};
const std::vector<WinScript>& winScripts();
const WinScript& winScript(const std::string& form);

// The states of a form worth a picture in the gallery: `play` acts on the open form and calls
// `shoot(title)` whenever the window shows something worth keeping.
using Shoot = std::function<void(const std::string& title)>;
struct GalleryPlay {
    std::string form;
    std::function<void(SceneHarness&, const Shoot&)> play;
};
const std::vector<GalleryPlay>& galleryPlays();

// Dials a four-digit guess on the padlock with the ↑ buttons and submits it, then waits for the
// roulette and the recording (at most 19 ticks of 200 ms, then 2 s).
void tryHitAndBlow(SceneHarness& h, const std::string& digits);
// Reads the secret off the hidden hint labels and opens the lock on the first try.
void winHitAndBlow(SceneHarness& h);
// From the open warp zone, as a player who kept the form's code: types it and takes its button.
void warpTo(SceneHarness& h, const std::string& form);
// Shows the exit a game shows once it has decided a branch, to walk that branch without playing.
void revealExit(SceneHarness& h, const std::string& form, const std::string& exit);

}  // namespace testing_support
