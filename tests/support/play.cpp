#include "support/play.h"

#include <cstdint>
#include <stdexcept>

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

// ---- Chinchirorin duels ----

bool shown(SceneHarness& h, const std::string& form, const char* control) {
    ui::Control* c = h.form(form).find(control);
    return c && c->visible();
}

bool duelOver(SceneHarness& h, const std::string& form) { return !h.picture(form, "Image3").empty(); }

// One step of the heroine's play: while she aims, a gauge tick, after which `throwNow` (given
// the gauge) decides whether she clicks; otherwise a tenth of a second.
template <class ThrowNow>
void duelStep(SceneHarness& h, const std::string& form, ThrowNow throwNow) {
    if (shown(h, form, "throwbutton") && h.enabled(form, "throwbutton") && h.timerEnabled(form, "gagetimer")) {
        h.advance(std::chrono::milliseconds(h.timerInterval(form, "gagetimer")));
        if (throwNow(h.width(form, "powergage"))) h.click(form, "throwbutton");
    } else {
        h.advance(100ms);
    }
}

// The gauge at exactly the middle or the end of the bar always throws three sixes, which the
// opponent can at best draw, and a drawn bout is replayed: the heroine waits for one of them.
bool perfectGauge(int gauge) { return gauge == 3000 || gauge == 6000; }

template <class Until>
void playDuel(SceneHarness& h, const std::string& form, Until until) {
    for (int guard = 0; guard < 100000; ++guard) {
        if (until()) return;
        if (duelOver(h, form) && h.picture(form, "Image3") == "store/hanmark_0")
            throw std::runtime_error(form + " was lost with perfect throws");
        duelStep(h, form, perfectGauge);
    }
    throw std::runtime_error(form + " never got where it was played to");
}

void winDuel(SceneHarness& h, const std::string& form) {
    playDuel(h, form, [&] { return shown(h, form, "Command1") || shown(h, form, "Command2"); });
}

// Throwing at once whatever the gauge: low dice, and the opponent usually wins.
bool loseDuel(SceneHarness& h, const std::string& form) {
    for (int guard = 0; guard < 10000 && !duelOver(h, form); ++guard) duelStep(h, form, [](int) { return true; });
    h.advance(1000ms);
    return h.picture(form, "Image3") == "store/hanmark_0";
}

void reopen(SceneHarness& h, const std::string& form, std::uint64_t seed) {
    h.app().unload(h.form(form));
    h.random().useSeed(seed);
    h.open(form);
}

void duelGallery(SceneHarness& h, const Shoot& shoot, const std::string& form) {
    // A match whose first turn change shows the second opponent's grin.
    auto grins = [&] { return form != "tintiro2" || h.caption(form, "sumiremes") == "☆☆ニヤリ☆☆"; };
    std::uint64_t seed = 1;
    for (; seed < 50; ++seed) {
        reopen(h, form, seed);
        while (!shown(h, form, "throwbutton")) h.advance(100ms);
        if (grins()) break;
    }
    reopen(h, form, seed);
    h.advance(1000ms);
    shoot("the opponent's line");
    while (!shown(h, form, "throwbutton")) h.advance(100ms);
    h.advance(5 * 60ms);
    shoot("aiming");
    playDuel(h, form, [&] { return shown(h, form, "Image4"); });
    shoot("perfect throw");
    playDuel(h, form, [&] {
        return !h.picture(form, "nonokakekka").empty() && h.picture(form, "nonokakekka") != "store/minimark_2";
    });
    shoot("judged");
    winDuel(h, form);
    shoot("won");
    // The losing player throws without aiming; a few matches are enough for one to be lost.
    for (seed = 1; seed < 50; ++seed) {
        reopen(h, form, seed);
        if (loseDuel(h, form)) break;
    }
    shoot("lost");
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
        {"tintiro1", "Command1", [](SceneHarness& h) { winDuel(h, "tintiro1"); }},
        pendingWin("mizuhusen", "Command3"),
        pendingWin("nagagutsu", "Command1"),
        pendingWin("max100game", "Command2"),
        {"tintiro2", "Command1", [](SceneHarness& h) { winDuel(h, "tintiro2"); }},
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
        {"tintiro1", [](SceneHarness& h, const Shoot& shoot) { duelGallery(h, shoot, "tintiro1"); }},
        {"tintiro2", [](SceneHarness& h, const Shoot& shoot) { duelGallery(h, shoot, "tintiro2"); }},
    };
    return kPlays;
}

}  // namespace testing_support
