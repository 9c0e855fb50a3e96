#include "support/play.h"

#include <cstdint>
#include <stdexcept>
#include <string>

#include "ui/form.h"

namespace testing_support {

using namespace std::chrono_literals;

namespace {

// The dial shows which digit it stands on by the store picture it carries.
void dial(SceneHarness& h, const std::string& digits) {
    for (int i = 0; i < 4; ++i)
        for (int guard = 0; guard < 10 && h.picture("Hitandblow", ui::indexed("passno", i)) !=
                                              "store/numberimg_" + digits.substr(i, 1);
             ++guard)
            h.click("Hitandblow", ui::indexed("upbutton", i));
}

std::string secretOf(SceneHarness& h) {
    std::string secret;
    for (int i = 0; i < 4; ++i) secret += h.caption("Hitandblow", ui::indexed("passnumber", i));
    return secret;
}

void hitandblowGallery(SceneHarness& h, const Shoot& shoot) {
    std::string secret = secretOf(h);
    // Wrong guesses that share digits with the secret, so the marks show both kinds.
    const std::string near = {secret[1], secret[0], secret[2], static_cast<char>('0' + (secret[3] - '0' + 5) % 10)};
    dial(h, near);
    shoot("dialling");
    h.click("Hitandblow", "Picture1");
    h.advance(600ms);
    shoot("roulette");
    h.advance(3400ms);
    shoot("judged");
    h.advance(2000ms);
    for (const std::string guess : {"5678", "0918", "2736", "4096", "8152"}) tryHitandblow(h, guess == secret ? near : guess);
    h.click("Hitandblow", "Image2");  // the last-chance hot spot shows the secret at the top left
    shoot("history and hint");
    tryHitandblow(h, near);
    shoot("lost");
    h.app().unload(h.form("Hitandblow"));
    h.open("Hitandblow");
    winHitandblow(h);
    shoot("won");
}

// The key's box, read off the hidden label that holds it.
int keyBox(SceneHarness& h) { return std::stoi(h.caption("keysearch", "Label5")); }

void winKeysearch(SceneHarness& h) {
    h.click("keysearch", ui::indexed("Image1", keyBox(h)));
    h.advance(1500ms);
}

void keysearchGallery(SceneHarness& h, const Shoot& shoot) {
    shoot("start");
    const int key = keyBox(h);
    // Two wrong boxes: the farthest corner (a cross, or a digit when the key is near it) and a neighbour.
    const int far = key % 9 < 5 ? (key / 9 < 5 ? 80 : 8) : (key / 9 < 5 ? 72 : 0);
    h.click("keysearch", ui::indexed("Image1", far));
    h.click("keysearch", ui::indexed("Image1", key % 9 == 0 ? key + 1 : key - 1));
    for (int i = 0; i < 10; ++i) h.click("keysearch", "nokori");
    shoot("two opened, with the hint");
    h.click("keysearch", ui::indexed("Image1", key));
    shoot("key found");
    h.advance(1500ms);
    shoot("won");
    h.app().unload(h.form("keysearch"));
    h.open("keysearch");
    const int again = keyBox(h);
    for (int box : {0, 40, 80, 44, 36})
        if (box != again && h.enabled("keysearch", ui::indexed("Image1", box))) h.click("keysearch", ui::indexed("Image1", box));
    h.advance(1500ms);
    shoot("lost");
}

// Don't exceed 100. The heroine stops her dice by watching them: a die shows each face in turn.
constexpr const char* kMax100 = "max100game";

int squaresLeft(SceneHarness& h) { return std::stoi(h.caption(kMax100, "nokorimasu")); }

// Stops the heroine's die k as it shows `face`, once it has turned at least once this turn.
void stopMax100Die(SceneHarness& h, int k, int face) {
    const std::string die = ui::indexed("diceimg", k);
    h.advance(std::chrono::milliseconds(h.timerInterval(kMax100, ui::indexed("dicetimer", k))));
    for (int guard = 0; guard < 10000 && h.picture(kMax100, die) != "store/diceimg_" + std::to_string(face); ++guard)
        h.advance(1ms);
    h.click(kMax100, ui::indexed("stopbutton", k));
}

enum class Max100State { HeroineTurn, Won, Lost };

Max100State awaitMax100(SceneHarness& h) {
    for (int guard = 0; guard < 100000; ++guard) {
        if (h.visible(kMax100, "Command2")) return Max100State::Won;
        if (h.picture(kMax100, "Image3") == "store/hanmark_0") return Max100State::Lost;
        if (h.enabled(kMax100, "stopbutton(0)")) return Max100State::HeroineTurn;
        h.advance(50ms);
    }
    throw std::runtime_error("max100game stands still");
}

// Leaves the opponent one square more than a multiple of seven: whatever it moves (1 to 6, or 9),
// she can bring it back there, and at last it must move from the final square.
void max100Turn(SceneHarness& h) {
    const int move = (squaresLeft(h) - 1) % 7;
    stopMax100Die(h, 0, move == 0 ? 1 : move);
    h.click(kMax100, "stopbutton(1)");
    h.click(kMax100, "diceimg(0)");
}

void winMax100(SceneHarness& h) {
    for (std::uint64_t attempt = 1; attempt <= 20; ++attempt) {
        Max100State state;
        while ((state = awaitMax100(h)) == Max100State::HeroineTurn) max100Turn(h);
        if (state == Max100State::Won) return;
        // Now and then the 66 face comes on its own where it throws the car over. The player
        // then comes back through the warp zone; the warp zone, loaded but unseen, only keeps the
        // program running meanwhile. The close itself may still bring the revival, and the win.
        h.app().form("warpzone");
        h.close(kMax100);
        if (!h.app().isLoaded(kMax100)) {
            h.random().useSeed(attempt);
            h.open(kMax100);
        }
        h.app().unload(h.form("warpzone"));
    }
    throw std::runtime_error("max100game never won");
}

// One press of the forbidden button and two stopped dice: she moves 66 squares.
void forbiddenMove(SceneHarness& h) {
    h.click(kMax100, "Command1");
    h.click(kMax100, "stopbutton(0)");
    h.click(kMax100, "stopbutton(1)");
    h.click(kMax100, "diceimg(0)");
}

void max100Gallery(SceneHarness& h, const Shoot& shoot) {
    h.advance(1200ms);
    shoot("both dice rolling");
    h.click(kMax100, "Image5");  // the forbidden button shows
    stopMax100Die(h, 0, 7);
    stopMax100Die(h, 1, 3);
    h.advance(1000ms);
    shoot("choice it");
    h.click(kMax100, "diceimg(0)");
    h.advance(600ms);
    shoot("the car moving");
    for (int guard = 0; guard < 10000 && !h.visible(kMax100, "yazirusi(0)") && !h.visible(kMax100, "yazirusi(1)"); ++guard)
        h.advance(10ms);
    shoot("the opponent's choice");
    Max100State state;
    while ((state = awaitMax100(h)) == Max100State::HeroineTurn) max100Turn(h);
    shoot(state == Max100State::Won ? "won" : "lost by a 66");

    // A second game, thrown away with the forbidden button, and the rare revival.
    h.app().unload(h.form(kMax100));
    h.open(kMax100);
    h.advance(1000ms);
    h.click(kMax100, "Image5");
    forbiddenMove(h);  // 100 squares left: 66 of them go
    if (awaitMax100(h) != Max100State::HeroineTurn) return;
    forbiddenMove(h);  // now the 66 goes over the edge
    for (int guard = 0; guard < 10000 && !h.timerEnabled(kMax100, "rakkamati"); ++guard) h.advance(10ms);
    h.script({SceneHarness::draw(99, 77)});  // the one chance in 99 at the loss
    h.advance(1000ms);
    h.random().useSeed(1);
    shoot("the fall");
    h.advance(1000ms);
    shoot("lost");
    h.close(kMax100);
    shoot("revived");
    if (awaitMax100(h) == Max100State::Won) shoot("won after the revival");
}

WinScript pendingWin(std::string form, std::string exit) {
    return {std::move(form), exit, [](SceneHarness&) {}};
}

}  // namespace

void tryHitandblow(SceneHarness& h, const std::string& digits) {
    dial(h, digits);
    h.click("Hitandblow", "Picture1");
    h.advance(19 * 200ms + 2000ms);
}

void winHitandblow(SceneHarness& h) { tryHitandblow(h, secretOf(h)); }

void revealExit(SceneHarness& h, const std::string& form, const std::string& exit) {
    for (const char* b : {"Command1", "Command2", "Command3", "Command4"})
        if (ui::Control* c = h.form(form).find(b)) c->setVisible(b == exit);
}

const std::vector<WinScript>& winScripts() {
    static const std::vector<WinScript> kScripts{
        {"Hitandblow", "Command1", winHitandblow},
        pendingWin("tintiro1", "Command1"),
        pendingWin("mizuhusen", "Command3"),
        pendingWin("nagagutsu", "Command1"),
        {"max100game", "Command2", winMax100},
        pendingWin("tintiro2", "Command1"),
        {"keysearch", "Command1", winKeysearch},
        pendingWin("rosoku", "Command1"),
    };
    return kScripts;
}

const WinScript& winScript(const std::string& form) {
    for (const auto& s : winScripts())
        if (s.form == form) return s;
    throw std::out_of_range("no win script for " + form);
}

const std::vector<GalleryPlay>& galleryPlays() {
    static const std::vector<GalleryPlay> kPlays{
        {"Hitandblow", hitandblowGallery},
        {"keysearch", keysearchGallery},
        {"max100game", max100Gallery},
    };
    return kPlays;
}

}  // namespace testing_support
